#include "Classes.h"

#include <algorithm>

#include "Description.h"

Exception::Exception(std::wstring message) : message_(std::move(message)), utf8_(WideToUtf8(message_)) {}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Free(TComponent* c) {
  if (!c || c->destroying_) return;
  c->BeforeDestruction();
  delete c;
}

void TComponent::BeforeDestruction() { destroying_ = true; }

void TComponent::DestroyComponents() {
  // Last created first, as the classic toolkit does.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    Free(c);
  }
}

void TComponent::InsertComponent(TComponent* c) {
  c->owner_ = this;
  components_.push_back(c);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it != components_.end()) components_.erase(it);
  c->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

bool TComponent::SetProperty(const std::string& name, const PropValue& value, FormLoader&) {
  if (name == "Tag") { Tag = value.AsInt(); return true; }
  return false;
}
