#pragma once
#include "notes/note.h"
