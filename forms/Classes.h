#pragma once
// Base classes of the form layer: exceptions, TObject, TComponent and the event types.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "Text.h"

// Keys and buttons held with a key or mouse event (also a menu shortcut's modifiers).
enum { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = int;

// Run-time errors: each handler dispatch catches them and shows the standard error box.
class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring message_;
  std::string utf8_;
};

#define QV_EXCEPTION(Name, Base) \
  class Name : public Base {     \
   public:                       \
    using Base::Base;            \
  }
QV_EXCEPTION(EConvertError, Exception);      // a text that is not a number
QV_EXCEPTION(EInOutError, Exception);        // a file that cannot be opened, read or written
QV_EXCEPTION(ERegistryException, Exception); // "Failed to set data for '%s'"
QV_EXCEPTION(EInvalidGraphic, Exception);    // a picture that does not load
QV_EXCEPTION(EJPEG, EInvalidGraphic);        // "JPEG error #%d"
QV_EXCEPTION(EFormDescription, Exception);   // a form description that does not load or bind
#undef QV_EXCEPTION

class TObject {
 public:
  virtual ~TObject() = default;
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
};

class TComponent;
class TCanvas;
struct PropValue;
class FormLoader;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// A component owns the components created with it as owner and frees them when it is freed.
// Components are freed through Free(), never by a bare delete, so that BeforeDestruction (and a
// form's OnDestroy) runs while the whole object still exists.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  static void Free(TComponent* c);

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& n) { name_ = n; }
  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return int(components_.size()); }
  TComponent* FindComponent(const std::wstring& name) const;
  bool Destroying() const { return destroying_; }
  // True while a form description is being applied: program-set states run no events then.
  bool Loading() const { return loading_; }
  void SetLoading(bool v) { loading_ = v; }

  int Tag = 0;

  // Sets a property read from a form description; returns false for a name the class lacks.
  virtual bool SetProperty(const std::string& name, const PropValue& value, FormLoader& loader);
  // Called once all properties and children of the description are in place.
  virtual void Loaded() {}
  // Places a component read from a description under its parent object (a control on its parent
  // control, an item in its menu); non-visual components ignore it.
  virtual void SetParentComponent(TComponent*) {}

 protected:
  virtual void BeforeDestruction();
  void DestroyComponents();
  void MarkDestroying() { destroying_ = true; }

 private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  std::wstring name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  bool destroying_ = false;
  bool loading_ = false;
};

// Calls an event when it is bound.
template <class Event, class... Args>
void CallEvent(const Event& ev, Args&&... args) {
  if (ev) ev(std::forward<Args>(args)...);
}
