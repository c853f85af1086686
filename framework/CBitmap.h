#pragma once

#include "framework/CGdiObject.h"

class CBitmap : public CGdiObject<HBITMAP> {
public:
    // Loads a bitmap resource from the module that holds it.
    BOOL LoadBitmap(UINT id);
    SIZE GetSize() const;
};
