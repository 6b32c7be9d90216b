// The main of every test executable: the application object, no real message boxes.
#include <gtest/gtest.h>

#include "Forms.h"

void InstallFailingDialogs();

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  InitApplication();
  Application->Title = L"tests";
  InstallFailingDialogs();
  int rc = RUN_ALL_TESTS();
  return rc;
}
