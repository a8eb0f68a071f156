// The main window's modal flag (`modalDialogOpen`), set for the life of a modal action however
// it ends: the tray menu greys its dialog commands and a hand-off is turned away meanwhile.
#pragma once
#include <cstdint>

namespace tandrel {

class ModalScope {
  public:
    explicit ModalScope(std::int32_t& flag) : flag_(flag) { flag_ = 1; }
    ~ModalScope() { flag_ = 0; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    std::int32_t& flag_;
};

}  // namespace tandrel
