#pragma once
// The standard open, save, picture, font and colour dialogs. Execute() runs the dialog through the
// dialog seam and returns whether the user confirmed; the properties then hold the answer.
#include <array>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

class TCommonDialog : public TComponent {
 public:
  using TComponent::TComponent;
  std::wstring Title;
  virtual bool Execute() = 0;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  // The owner every standard dialog takes: the active form of the program, else the application's
  // window.
  static HWND ActiveOwner() { return OwnerWindow(); }

 protected:
  static HWND OwnerWindow();
};

enum {
  ofReadOnly = 1, ofOverwritePrompt = 2, ofHideReadOnly = 4, ofNoChangeDir = 8, ofAllowMultiSelect = 16,
  ofPathMustExist = 32, ofFileMustExist = 64, ofCreatePrompt = 128, ofNoReadOnlyReturn = 256,
  ofEnableSizing = 512, ofNoValidate = 1024
};
using TOpenOptions = int;

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  // The chosen file (the first of several); its value before Execute() is the dialog's start.
  std::wstring FileName;
  // Every chosen file, full paths, in the dialog's order.
  std::vector<std::wstring> Files;
  // Pairs of a name and its masks: 'Music|*.wav;*.mp3|All|*.*'.
  std::wstring Filter;
  int FilterIndex = 1;
  std::wstring InitialDir;
  // The extension added to a name typed without one ("qvml"; ".qvml" and "*.qvml" work too).
  std::wstring DefaultExt;
  TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
  bool Execute() override;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 protected:
  bool save_ = false;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) { save_ = true; }
};

// An open dialog for the pictures the form layer loads (JPEG and bitmaps).
class TOpenPictureDialog : public TOpenDialog {
 public:
  explicit TOpenPictureDialog(TComponent* AOwner);
  static const wchar_t* GraphicFilter();
};

class TFontDialog : public TCommonDialog {
 public:
  using TCommonDialog::TCommonDialog;
  // The font shown at the start and chosen at the end (name, size, style, colour, script).
  TFont Font;
  bool Execute() override;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
};

enum { cdFullOpen = 1, cdPreventFullOpen = 2, cdSolidColor = 4, cdAnyColor = 8 };
using TColorDialogOptions = int;

class TColorDialog : public TCommonDialog {
 public:
  using TCommonDialog::TCommonDialog;
  // The colour shown at the start and chosen at the end (as RGB; a system colour starts as its RGB).
  TColor Color = clBlack;
  TColorDialogOptions Options = 0;
  // The dialog's sixteen custom colours, kept between runs.
  std::array<COLORREF, 16> CustomColors{};
  bool Execute() override;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 private:
  bool customInit_ = false;
};

// The shell's folder browser with text above its tree, owned by owner (nullptr: the active form);
// true with folder set when the user chose a folder, false on Cancel (folder unchanged).
bool SelectDirectory(const std::wstring& text, std::wstring& folder, HWND owner = nullptr);
