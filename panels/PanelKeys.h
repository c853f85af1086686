// What the panel windows that build their keys at run time share: cutting a key
// to its outline, and taking a list of keys down again.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "CShapedButton.h"

enum class KeyOutline { Rectangle, Ellipse, LeftWing, RightWing };

using KeyList = std::vector<std::unique_ptr<CShapedButton>>;

// Gives the key its window region; ellipse is the one a round key is cut to.
void ApplyKeyOutline(CShapedButton& key, KeyOutline outline, const RECT& ellipse);

// Destroys every key's window, deletes the keys and empties the list.
void DestroyKeys(KeyList& keys);
