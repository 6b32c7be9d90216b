#include "PlayerConfig.h"

#include <algorithm>

#include "Classes.h"
#include "Text.h"
#include "TextFile.h"

namespace {

using K = PlayerFieldKind;
using C = TPlayerConfig;

constexpr int kNo = 0;
// The highest system colour index (COLOR_MENUBAR).
constexpr int kLastSystemColour = 30;

const PlayerConfigField kLayout[] = {
    // [0]
    {2, 1, L"cbxMinimizeOnStart", K::Bool, kNo, kNo, 0, &C::MinimizeOnStart},
    {2, 2, L"cbxPlayMusListAtStart", K::Bool, kNo, kNo, 1, &C::PlayMusListAtStart},
    {2, 3, L"cbxPlayImediately", K::Bool, kNo, kNo, 1, &C::PlayImediately},
    // [1]: the fourteen skins
    {3, 1, L"cbbSkins", K::Index, 0, 13, 0, &C::Skin},
    // [2] holds nothing
    // [3]: a transit time beyond 20 s would wrap the transit window's byte countdown
    {5, 1, L"updTimePlayEachScr", K::Int, 30, 120, 30, &C::TimePlayEachScr},
    {5, 2, L"updTransitTime", K::Int, 5, 20, 10, &C::TransitTime},
    {5, 3, L"cbbTextSpeed", K::Index, 0, 3, 2, &C::TextSpeed},
    {5, 4, L"rdgTransitFormBackgroundUse", K::Index, 0, 2, 0, &C::BackgroundUse},
    {5, 5, L"lblTransitFormColor", K::Colour, kNo, kNo, int(clHotLight), &C::TransitColor},
    {5, 6, L"btnImg2", K::ImageChoice, kNo, kNo, kImageBuiltIn, &C::ImageChoice},
    // [4]
    {6, 1, L"cbbBanYingForAutoScr", K::Index, 0, 3, 0, &C::BanYingForAutoScr},
    {6, 2, L"cbxSlientStartupOnMsg", K::Bool, kNo, kNo, 1, &C::SlientStartupOnMsg},
    {7, 0, L"edtPlayMusListAtStart", K::Text, kNo, kNo, 0, &C::PlayMusListFile},
    {8, 0, L"edtSelfSelectBanYing", K::Text, kNo, kNo, 0, &C::SelfSelectBanYing},
    {9, 0, L"OpenPictureDialog1", K::Text, kNo, kNo, 0, &C::TransitPicture},
    {10, 0, L"edtQVMLdir", K::Text, kNo, kNo, 0, &C::QVMLdir},
    {11, 0, L"edtPicDir", K::Text, kNo, kNo, 0, &C::PicDir},
    {12, 1, L"cbbMusDir", K::Folder, kNo, kNo, 0, &C::MusDirs},
    {13, 2, L"cbbMusDir", K::Folder, kNo, kNo, 0, &C::MusDirs},
    {14, 3, L"cbbMusDir", K::Folder, kNo, kNo, 0, &C::MusDirs},
    {15, 4, L"cbbMusDir", K::Folder, kNo, kNo, 0, &C::MusDirs},
    {16, 5, L"cbbMusDir", K::Folder, kNo, kNo, 0, &C::MusDirs},
    {17, 0, L"cbbMusDir", K::FolderIndex, kNo, kNo, -1, &C::MusDirIndex},
};

constexpr int kFirstSectionLine = 2, kLastSectionLine = 6;

bool IsSection(const PlayerConfigField& f) { return f.line >= kFirstSectionLine && f.line <= kLastSectionLine; }

bool ValidColour(int c) {
  return (c >= 0 && c <= 0xFFFFFF) || (TColor(c & 0xFF000000) == clSystemColor && (c & 0xFFFFFF) <= kLastSystemColour);
}

// The value a number takes, held to what the field can hold.
int Held(const PlayerConfigField& f, int n, int folders) {
  switch (f.kind) {
    case K::Int: return std::clamp(n, f.min, f.max);
    case K::Index: return n >= f.min && n <= f.max ? n : f.designValue;
    case K::Colour: return ValidColour(n) ? n : f.designValue;
    case K::FolderIndex: return n >= 0 && n < folders ? n : -1;
    default: return n;
  }
}

template <class T>
T& At(TPlayerConfig& c, const PlayerConfigField& f) {
  return c.*std::get<T TPlayerConfig::*>(f.member);
}
template <class T>
const T& At(const TPlayerConfig& c, const PlayerConfigField& f) {
  return c.*std::get<T TPlayerConfig::*>(f.member);
}

std::wstring FormatField(const PlayerConfigField& f, const TPlayerConfig& c) {
  switch (f.kind) {
    case K::Bool: return At<bool>(c, f) ? L"TRUE" : L"FALSE";
    case K::Text: return At<std::wstring>(c, f);
    case K::Folder: {
      const auto& dirs = At<std::vector<std::wstring>>(c, f);
      return size_t(f.field) <= dirs.size() ? dirs[size_t(f.field - 1)] : std::wstring();
    }
    default: return IntToStr(At<int>(c, f));
  }
}

}  // namespace

std::span<const PlayerConfigField> PlayerConfigLayout() { return kLayout; }

std::vector<std::wstring> KeepStorableNames(TPlayerConfig& c, const TPlayerConfig& old) {
  NameKeeper keeper;
  bool foldersDone = false;
  for (const PlayerConfigField& f : kLayout) {
    if (f.kind == K::Text) {
      At<std::wstring>(c, f) = keeper.Keep(At<std::wstring>(c, f), At<std::wstring>(old, f));
    } else if (f.kind == K::Folder && !foldersDone) {
      foldersDone = true;
      auto& dirs = At<std::vector<std::wstring>>(c, f);
      bool all = true;
      for (std::wstring& dir : dirs) {
        std::wstring stored;
        if (keeper.CanKeep(dir, stored)) dir = stored;
        else all = false;
      }
      if (!all) {
        dirs = At<std::vector<std::wstring>>(old, f);
        c.MusDirIndex = old.MusDirIndex;
      }
    }
  }
  return keeper.Lost();
}

TPlayerConfig DefaultPlayerConfig() {
  TPlayerConfig c;
  for (const PlayerConfigField& f : kLayout) {
    switch (f.kind) {
      case K::Bool: At<bool>(c, f) = f.designValue != 0; break;
      case K::Text: At<std::wstring>(c, f).clear(); break;
      case K::Folder: At<std::vector<std::wstring>>(c, f).clear(); break;
      default: At<int>(c, f) = f.designValue; break;
    }
  }
  return c;
}

PlayerConfigRead ReadPlayerConfigLines(const std::vector<std::wstring>& lines) {
  PlayerConfigRead r{DefaultPlayerConfig(), {}};
  // Only the values the layout reads are split off: a line of a million blanks costs nothing more.
  std::vector<std::vector<std::wstring>> sections(kLastSectionLine + 1);
  for (int n = kFirstSectionLine; n <= kLastSectionLine && n <= int(lines.size()); ++n) {
    size_t most = 0;
    for (const PlayerConfigField& f : kLayout)
      if (f.line == n) most = std::max(most, size_t(f.field));
    sections[size_t(n)] = SplitConfigFields(lines[size_t(n - 1)], most);
  }

  for (const PlayerConfigField& f : kLayout) {
    if (f.line > int(lines.size())) continue;  // a file cut short: the rest keep their design values
    const std::wstring* text = &lines[size_t(f.line - 1)];
    if (IsSection(f)) {
      const auto& values = sections[size_t(f.line)];
      if (f.field > int(values.size())) continue;  // a cut-off line: the same
      text = &values[size_t(f.field - 1)];
    }
    switch (f.kind) {
      case K::Bool: At<bool>(r.values, f) = ConfigTextIsTrue(*text); continue;
      case K::ImageChoice: At<int>(r.values, f) = *text == L"2" ? kImageFile : kImageBuiltIn; continue;
      // A damaged line's NUL, CR or other control character is not written back.
      case K::Text: At<std::wstring>(r.values, f) = CleanConfigText(*text); continue;
      case K::Folder:
        if (std::wstring folder = CleanConfigText(*text); !folder.empty())
          At<std::vector<std::wstring>>(r.values, f).push_back(std::move(folder));
        continue;
      default: break;
    }
    int n;
    try {
      n = StrToInt(*text);
    } catch (const EConvertError&) {
      r.skipped.push_back({f.line, IsSection(f) ? f.field : 0, *text});
      continue;
    }
    At<int>(r.values, f) = Held(f, n, int(r.values.MusDirs.size()));
  }
  return r;
}

std::vector<std::wstring> WritePlayerConfigLines(const TPlayerConfig& values) {
  std::vector<std::wstring> lines(kPlayerConfigLineCount);
  lines[0] = kPlayerConfigWarningLine;
  for (int n = kFirstSectionLine; n <= kLastSectionLine; ++n)
    lines[size_t(n - 1)] = L"[" + IntToStr(n - kFirstSectionLine) + L"]";
  for (const PlayerConfigField& f : kLayout) {
    std::wstring& line = lines[size_t(f.line - 1)];
    if (IsSection(f)) line += L" " + FormatField(f, values);
    else line = FormatField(f, values);
  }
  return lines;
}

std::wstring PlayerConfigErrorText(const std::vector<ConfigSkip>& skipped) {
  return ConfigSkipSummary(kPlayerConfigFileName, skipped);
}
