// The whole framework layer in one include.
#pragma once

#include "framework/app/Afx.h"
#include "framework/app/CommandLineInfo.h"
#include "framework/app/WinApp.h"
#include "framework/gdi/Dc.h"
#include "framework/gdi/GdiObject.h"
#include "framework/menu/Menu.h"
#include "framework/thread/WinThread.h"
#include "framework/window/Wnd.h"
