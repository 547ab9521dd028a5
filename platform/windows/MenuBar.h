#pragma once

#include "platform/windows/MenuItem.h"

// The root of a menu model: its children are the menus.
class MenuBar : public MenuItem {};
