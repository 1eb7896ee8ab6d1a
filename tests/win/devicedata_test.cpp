// The load of the instrument's data and the save of its settings file, down
// to the bytes the Windows build writes.
#include <gtest/gtest.h>

#include "settings/devicedata.h"
#include "tests/win/harness.h"

TEST(DeviceData, ValuesAreClampedOnLoadAndWrittenBackInFull)
{
    ClearTestDrives();
    CopySampleInstrument("E:\\");
    WriteFileBytes("E:\\SETUP\\setupdata.txt",
                   "Sinkton:-7;\r\nLautstaerke:-1;\r\nTOffset:-5;\r\nPOffset:-1234567.891;\r\n"
                   "Feld1:258;\r\nTimeoffset:-20;\r\nSprache:8;\r\n*\r\nContrast:3;\r\n");
    StartProgram();
    EXPECT_TRUE(WriteSetupFile());
    EXPECT_EQ(ReadFileBytes("E:\\SETUP\\setupdata.txt"),
              "Sinkton:-5.0;\r\nSteigton:0.3;\r\nTimeoffset:-12;\r\nTrackinterval:1;\r\n"
              "Lautstaerke:255;\r\nFeld1:2;\r\nFeld2:1;\r\nSprache:0;\r\nContrast:12;\r\n"
              "POffset:-1234567.88;\r\nTOffset:251;\r\nAirspaceWarnDistance:1000;\r\nUnit:0;\r\n"
              "CoordinateFormat:0;\r\nIntegralzeit:3;\r\n*");
    EXPECT_FALSE(FileExists("E:\\SETUP\\setupdata.new"));
    EXPECT_EQ(StatusText(), " Setup in Datei E:\\SETUP\\setupdata.txt gespeichert");
}
