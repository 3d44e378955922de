// The whole framework layer in one include.
#pragma once

#include "framework/app/Afx.h"
#include "framework/app/CommandLineInfo.h"
#include "framework/app/WinApp.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ProgressCtrl.h"
#include "framework/controls/SliderCtrl.h"
#include "framework/gdi/Dc.h"
#include "framework/gdi/GdiObject.h"
#include "framework/menu/Menu.h"
#include "framework/ole/DropTarget.h"
#include "framework/thread/WinThread.h"
#include "framework/window/Wnd.h"
