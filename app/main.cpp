#include <windows.h>

#include "app/CPanelUtilityApp.h"

CPanelUtilityApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) { return AfxWinMain(instance); }
