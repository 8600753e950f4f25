#pragma once

#include "ui/MessageBox.h"

#include <QDialog>
#include <memory>

namespace vq3 {

// The box ShowMessage shows, made but not yet shown, for a caller that shows it its own way.
std::unique_ptr<QDialog> NewMessageBox(const std::string& text, MessageOwner owner = nullptr);

} // namespace vq3
