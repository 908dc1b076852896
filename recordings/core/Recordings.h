#pragma once
// Everything of the Qt-free recording logic in one include.

#include "DerivedNames.h"
#include "FolderScan.h"
#include "PlayListText.h"
#include "RecordingKind.h"
#include "RecordingPaths.h"
#include "SelectedList.h"
#include "SortStringArray.h"
