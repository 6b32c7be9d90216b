#include "SaverDeckCommands.h"

#include "PlaylistFile.h"
#include "uniQVShare.h"

bool PlaylistHandOverPath(const std::vector<std::wstring>& args, std::wstring& path) {
  return ParseStartSwitch(args, path) == TStartSwitch::LoadList;
}

namespace {
const TCommandAction kActions[] = {
    {WM_SAVERDECK_SHOW, TPlayerOp::ShowAndLoadList},
    {WM_SAVERDECK_TOGGLEACCOMP, TPlayerOp::ToggleAccomp, 0, 0, false},
    {WM_SAVERDECK_NEXTMUSIC, TPlayerOp::NextMusic},
    {WM_SAVERDECK_SCR_INTURN, TPlayerOp::ScrRun, 0, 1},
    {WM_SAVERDECK_SCR_RANDOM, TPlayerOp::ScrRun, 1, 1},
    {WM_SAVERDECK_SCR_INTURN_MUSIC, TPlayerOp::ScrRun, 0, 0},
    {WM_SAVERDECK_SCR_RANDOM_MUSIC, TPlayerOp::ScrRun, 1, 0},
    {WM_SAVERDECK_SETUPACCOMP, TPlayerOp::SetupAccomp},
    {WM_SAVERDECK_SCR_INTURN_BYSETTING, TPlayerOp::ScrRun, 0, kMusicAsSet},
    {WM_SAVERDECK_SCR_RANDOM_BYSETTING, TPlayerOp::ScrRun, 1, kMusicAsSet},
    {WM_SAVERDECK_SCR_INTURN_BYSETTING2, TPlayerOp::ScrRun, 0, kMusicAsSet},
    {WM_SAVERDECK_SHOWHIDE, TPlayerOp::ShowHide},
    {WM_SAVERDECK_SHOWPLAY, TPlayerOp::ShowPlay},
    {WM_SAVERDECK_RESTARTACCOMP, TPlayerOp::ToggleAccomp, 0, 0, true},
    {WM_SAVERDECK_STOPMUSIC, TPlayerOp::StopMusic},
    {WM_SAVERDECK_TRAY, TPlayerOp::Tray},
};
}  // namespace

const TCommandAction* CommandActionFor(UINT msg) {
  for (const auto& a : kActions)
    if (a.msg == msg) return &a;
  return nullptr;
}

std::vector<int> ButtonRowLefts(int firstLeft, const std::vector<int>& widths) {
  std::vector<int> lefts;
  int left = firstLeft;
  for (size_t i = 0; i < widths.size(); ++i) {
    if (i > 0) left += widths[i - 1] - 1;
    lefts.push_back(left);
  }
  return lefts;
}

POINT CentredFormPlace(int screenWidth, int workAreaHeight, int formWidth, int formHeight) {
  return POINT{(screenWidth - formWidth) / 2, (workAreaHeight - formHeight) / 2};
}
