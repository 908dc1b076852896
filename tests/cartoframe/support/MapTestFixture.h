#pragma once
// A map folder with the store set up on it, diagnostics captured, and the
// data set freed and the store torn down after each test.

#include "CartoTestSupport.h"
#include "Diagnostics.h"
#include "FileList.h"
#include "FileProcess.h"
#include "MapProcess.h"

#include <gtest/gtest.h>

namespace cartoframe::test {

class MapTestFixture : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0); }
    void TearDown() override {
        mp_FreeAll();
        fp_Teardown();
        dbg_RestartMap();
    }
    // Reads the file list and loads the set, as the start-up chain does.
    int load() {
        if (fp_ReadFileList() != 0)
            return -1;
        return mp_LoadMapFiles();
    }

    DiagCapture diag_;
    TempFolder folder_;
};

} // namespace cartoframe::test
