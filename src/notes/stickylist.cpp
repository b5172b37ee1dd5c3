#include "notes/stickylist.h"

QList<StickyWidget *> stickyList;
