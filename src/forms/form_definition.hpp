// A form definition: the form's name, title and design size, and its controls in tab order
// with their names, kinds, captions ("&" marks the accelerator), tips and places. Every
// runtime builds its forms from these; a form program writes its definition once, as
// constexpr data beside its event procedures.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "forms/geometry.hpp"

namespace quarn::forms {

enum class ControlKind : std::uint8_t {
  kLabel,      // static text; Caption
  kText,       // one-line text field; Text
  kTextBlock,  // multi-line text field, one value per line; Text (lines joined by "\n")
  kButton,     // push button; Caption, click events
  kCheck,      // check box; Caption, Checked
  kCombo,      // drop-down list; items, ListIndex
  kList,       // list box; items, ListIndex
  kTabs,       // tab control; its pages are the kTabPage controls whose parent it is; Tab
  kTabPage,    // one page of a tab control; Caption; controls on it name it as parent
  kGroup,      // frame around controls; Caption
  kPicture,    // picture; Picture (a file path), shown scaled to the control
  kProgress,   // progress bar; Value (0-100)
  kTimer,      // invisible; Interval (milliseconds), Enabled; timer events
  kMenu,       // menu-bar entry (parent empty) or submenu (parent a menu); one without
               // items of its own is clicked like an item
  kMenuItem,   // item of a menu (parent); Caption, Checked (when checkable), Enabled
  kSeparator,  // line between menu items
};

struct ControlDef {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;  // buttons, labels, pages, menus: with "&"; texts: the first text
  std::string_view tip = {};
  Rect place = {};               // design pixels, inside the parent (page or group)
  std::string_view parent = {};  // the tab page, group or menu it belongs to; empty: the form
  std::int32_t lines = 1;        // text blocks: the number of lines
  std::int32_t max_length = 0;   // texts: characters per line (0: no limit)
  bool checkable = false;        // menu items that carry a check mark
};

struct FormDef {
  std::string_view name;     // "OrgEdit"
  std::string_view caption;  // the first title
  std::int32_t width;        // design size in pixels (client area)
  std::int32_t height;
  std::span<const ControlDef> controls;  // in tab order
  std::string_view default_button = {};  // pressed by Enter
  std::string_view cancel_button = {};   // pressed by Escape
  // Controls keep their places in window pixels instead of growing with the window; the
  // form's program places them when the window's size changes (its resize event).
  bool fixed_layout = false;
};

// The control named `name` of a definition, or null.
constexpr const ControlDef* find_control(const FormDef& form, std::string_view name) {
  for (const ControlDef& c : form.controls)
    if (c.name == name) return &c;
  return nullptr;
}

// The accelerator letter of a caption ("&Save" gives 'S'; "&&" is a literal "&"), or 0.
constexpr char accelerator(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const char c = caption[i + 1];
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return 0;
}

}  // namespace quarn::forms
