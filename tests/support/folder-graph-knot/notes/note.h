#pragma once
#include "app/window.h"
#include "widgets/menu.h"
