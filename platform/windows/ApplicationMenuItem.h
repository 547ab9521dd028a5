#pragma once

#include "platform/windows/MenuItem.h"

// An item that belongs to the application menu where the platform has one; elsewhere it
// stays in its own menu.
class ApplicationMenuItem : public MenuItem {};
