// A control array: one name, elements by index, one handler per event that
// gets the element's index.
//
//   ui::ControlArray<ui::CheckBox> Check7{*this, "Check7", 11};  // 0..10
//   Check7.OnClick = [this](int index) { Check7_Click(index); };
//   Check7[3].SetValue(1);            // raises Check7(3).Click
//
// Elements can also be added one by one (Load) or later, at run time.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "ui/control.h"

namespace ks::ui {

template <class T>
class ControlArray {
 public:
  ControlArray(Form& form, std::string name) : form_(form), name_(std::move(name)) {}
  // Elements 0..count-1 on the form.
  ControlArray(Form& form, std::string name, int count) : ControlArray(form, std::move(name)) {
    for (int i = 0; i < count; ++i) Load(i);
  }
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  // Adds element `index` on the form (extra arguments go to T's
  // constructor); an element that exists is returned as it is.
  template <class... Args>
  T& Load(int index, Args&&... args) {
    return Add(index, std::make_unique<T>(form_, name_, std::forward<Args>(args)...));
  }
  // Adds element `index` inside a frame.
  template <class... Args>
  T& LoadIn(Frame& frame, int index, Args&&... args) {
    return Add(index, std::make_unique<T>(frame, name_, std::forward<Args>(args)...));
  }
  // Removes an element; nothing when absent.
  void Unload(int index) { elements_.erase(index); }

  bool Has(int index) const { return elements_.count(index) != 0; }
  // The element; throws std::out_of_range for an index that has none.
  T& operator[](int index) { return *elements_.at(index); }
  T& operator()(int index) { return *elements_.at(index); }
  int Count() const { return static_cast<int>(elements_.size()); }
  int LBound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
  int UBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
  const std::string& Name() const { return name_; }

  std::function<void(int)> OnClick;
  std::function<void(int)> OnChange;
  std::function<void(int)> OnScroll;
  std::function<void(int)> OnTimer;
  std::function<void(int, int, int, float, float)> OnMouseMove;

 private:
  T& Add(int index, std::unique_ptr<T> fresh) {
    auto found = elements_.find(index);
    if (found != elements_.end()) return *found->second;
    T& e = *fresh;
    e.SetArrayIndex(index);
    if constexpr (requires { e.OnClick = Handler(); })
      e.OnClick = [this, index] { if (OnClick) OnClick(index); };
    if constexpr (requires { e.OnChange = Handler(); })
      e.OnChange = [this, index] { if (OnChange) OnChange(index); };
    if constexpr (requires { e.OnScroll = Handler(); })
      e.OnScroll = [this, index] { if (OnScroll) OnScroll(index); };
    if constexpr (requires { e.OnTimer = Handler(); })
      e.OnTimer = [this, index] { if (OnTimer) OnTimer(index); };
    if constexpr (requires { e.OnMouseMove = MouseHandler(); })
      e.OnMouseMove = [this, index](int b, int s, float x, float y) {
        if (OnMouseMove) OnMouseMove(index, b, s, x, y);
      };
    elements_.emplace(index, std::move(fresh));
    e.Refresh();
    return e;
  }

  Form& form_;
  std::string name_;
  std::map<int, std::unique_ptr<T>> elements_;
};

}  // namespace ks::ui
