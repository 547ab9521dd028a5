#pragma once

#include "platform/windows/MenuItem.h"

// An item that quits the application when the front window does not handle it itself.
class QuitMenuItem : public MenuItem {};
