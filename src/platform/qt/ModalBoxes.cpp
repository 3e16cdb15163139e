#include "platform/qt/ModalBoxes.h"

#include <QDialog>
#include <algorithm>
#include <vector>

namespace tessel {

namespace {

// Innermost last.
std::vector<QDialog*>& OpenBoxes() {
    static std::vector<QDialog*> boxes;
    return boxes;
}

bool g_closing = false;

}  // namespace

ModalBoxes::Shown::Shown(QDialog& box) : m_box(box) {
    OpenBoxes().push_back(&box);
}

ModalBoxes::Shown::~Shown() {
    std::erase(OpenBoxes(), &m_box);
}

bool ModalBoxes::AnyOpen() {
    return !OpenBoxes().empty();
}

bool ModalBoxes::Closing() {
    return g_closing;
}

void ModalBoxes::RaiseTop() {
    if (QDialog* top = OpenBoxes().empty() ? nullptr : OpenBoxes().back()) {
        top->raise();
        top->activateWindow();
    }
}

void ModalBoxes::CloseAll() {
    g_closing = true;
    // Rejecting only ends each box's loop: the boxes leave the list as their
    // callers return.
    for (QDialog* box : OpenBoxes()) {
        box->reject();
    }
}

void ModalBoxes::EndClosing() {
    g_closing = false;
}

}  // namespace tessel
