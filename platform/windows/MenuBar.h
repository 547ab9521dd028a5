#pragma once

#include "platform/MenuItem.h"

// The root of a menu model: its children are the menus.
class MenuBar : public MenuItem {};
