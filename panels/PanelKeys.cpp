#include "PanelKeys.h"

void ApplyKeyOutline(CShapedButton& key, KeyOutline outline, const RECT& ellipse) {
    switch (outline) {
    case KeyOutline::Ellipse:
        key.SetEllipticRegion(ellipse);
        break;
    case KeyOutline::LeftWing:
        key.SetLeftWingRegion();
        break;
    case KeyOutline::RightWing:
        key.SetRightWingRegion();
        break;
    case KeyOutline::Rectangle:
        break;
    }
}

void DestroyKeys(KeyList& keys) {
    for (auto& key : keys) {
        key->DestroyWindow();
        key.reset();
    }
    keys.clear();
}
