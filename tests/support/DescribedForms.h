#pragma once
// The check every program's tests make of its form descriptions.

// Each name of the space-separated list (the .form files under the program's resources) has its
// form class registered, and every registered form class loads and binds its description.
void ExpectEveryDescribedFormLoads(const char* describedForms);
