#pragma once
// Buttons, labels, edit boxes and check boxes over the system's BUTTON, STATIC and EDIT classes.
#include "Controls.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  bool Default = false, Cancel = false;
  int ModalResult = 0;
  void Click() override;  // sets the form's ModalResult, then OnClick
  bool DialogKey(int id) override;  // Enter clicks the default button, Esc the cancel button
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CNCommand(WORD code) override;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TWinControl {
 public:
  explicit TLabel(TComponent* AOwner);
  TAlignment Alignment = taLeftJustify;
  TTextLayout Layout = tlTop;
  bool AutoSize = true, WordWrap = false, Transparent = false;
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;
  void Loaded() override;
  void FontChanged() override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CNCommand(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;
  void CaptionChanged() override;
  void BoundsChanged() override;

 private:
  void AdjustSize();
  // A transparent label's parent paints what shows through, over the old and the new place.
  void RedrawThrough(const RECT& before);
};

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* AOwner);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength = 0;
  wchar_t PasswordChar = 0;
  TNotifyEvent OnChange;
  // The text as the user left it (read from the window).
  const std::wstring& Text();
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;

 private:
  bool readOnly_ = false;
};

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  bool Checked() const { return checked_; }
  // Runs OnClick whenever the state changes, as a user's click does (not while loading).
  void SetChecked(bool v);
  TAlignment Alignment = taRightJustify;  // text right of the box
  bool SetProperty(const std::string& name, const PropValue& v, FormLoader& loader) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;

 private:
  bool checked_ = false;
};
