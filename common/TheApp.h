#pragma once

#include "platform/runtime/Application.h"

// The registered application object, for the folders that read its version fields.
Application& TheApp();
