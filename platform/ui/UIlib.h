#pragma once
// Everything the programs' window code uses of the framework, for `using namespace ui;`.

#include "platform/os/WinTypes.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIContainer.h"
#include "platform/ui/core/UIControl.h"
#include "platform/ui/core/UIEvents.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIResource.h"
#include "platform/ui/core/UIString.h"
#include "platform/ui/core/UIStyle.h"
#include "platform/ui/core/UIWindow.h"
#include "platform/ui/render/RenderEngine.h"
