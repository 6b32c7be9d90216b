#include "DescribedForms.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Fakes.h"
#include "Forms.h"

void ExpectEveryDescribedFormLoads(const char* describedForms) {
  std::istringstream described(describedForms);
  for (std::string name; described >> name;) {
    bool registered = false;
    for (const auto& entry : RegisteredFormClasses()) registered = registered || entry.className == name;
    EXPECT_TRUE(registered) << name << " has a description but no registered form class";
  }
  TForm::CheckOnly() = true;
  for (const auto& entry : RegisteredFormClasses()) {
    TForm* f = nullptr;
    try {
      f = entry.create();
    } catch (const Exception& e) {
      ADD_FAILURE() << entry.className << ": " << Narrow(e.Message());
    }
    if (f) TComponent::Free(f);
  }
  TForm::CheckOnly() = false;
}
