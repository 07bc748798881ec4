#pragma once
// A modal window that installs its own handlers puts back, when it ends, the ones that were
// in force before it: the loop that called it goes on as it was.
#include "runtime/events.h"

namespace qv {

class SavedHandlers {
 public:
  SavedHandlers()
      : menu_(rt::handler(rt::Vector::Menu)), mouse_(rt::handler(rt::Vector::Mouse)),
        dialog_(rt::handler(rt::Vector::Dialog)), edit_(rt::handler(rt::Vector::Edit)) {}
  ~SavedHandlers() {
    rt::setHandler(rt::Vector::Menu, menu_);
    rt::setHandler(rt::Vector::Mouse, mouse_);
    rt::setHandler(rt::Vector::Dialog, dialog_);
    rt::setHandler(rt::Vector::Edit, edit_);
  }
  SavedHandlers(const SavedHandlers&) = delete;
  SavedHandlers& operator=(const SavedHandlers&) = delete;

 private:
  rt::Handler menu_, mouse_, dialog_, edit_;
};

}  // namespace qv
