// Writing the service report to disk: the default folder and file names, the
// header the program knows (version, PC, time), and the one question for
// operator and ticket. The text itself comes from ServiceReport.
#pragma once

#include <string>
#include <vector>

#include "panels/CheckSession.h"

class CWnd;

// Documents\VelPanel Reports, created when missing.
std::wstring DefaultReportFolder();
// "VelPanel-Report-20261208-101502-Audio" (local time; no extension), or "All"
// for a report of several panels.
std::wstring DefaultReportName(const std::vector<int>& panels);

// Writes path (the HTML) and the JSON beside it (same name, .json) without
// asking anything; false when a file could not be written.
bool WriteServiceReport(const std::wstring& htmlPath, CheckSession& session, const std::vector<int>& panels);

// "Save Report..." and "Service Report...": operator and ticket (once a run),
// the save dialog, the two files, and a box when they could not be written.
void SaveServiceReport(CWnd* parent, CheckSession& session, const std::vector<int>& panels);
