#include "platform/qt/QtPrompter.h"
#include "platform/qt/ModalBoxes.h"
#include "platform/qt/QtText.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

namespace tessel {

namespace {

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return QMessageBox::Ok;
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoDefaultNo:
            return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::None:
            return QMessageBox::NoIcon;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Error:
            return QMessageBox::Critical;
        case PromptIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Closing the box without a button counts as its way out: Cancel, or No
// where there is no Cancel, or OK for a box with OK alone.
PromptAnswer AnswerOf(int button, PromptButtons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            break;
    }
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoDefaultNo:
            return PromptAnswer::No;
        default:
            return PromptAnswer::Cancel;
    }
}

std::optional<std::u16string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode) {
    if (ModalBoxes::Closing()) {
        return std::nullopt;
    }
    QFileDialog dialog(parent, ToQString(request.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.filter.empty()) {
        dialog.setNameFilter(ToQString(request.filter));
    }
    QString suffix = ToQString(request.defaultExtension);
    if (suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (!request.initialPath.empty()) {
        // The dialog opens in the path's folder, never the working folder.
        const QFileInfo initial(ToQString(request.initialPath));
        if (initial.isAbsolute()) {
            dialog.setDirectory(initial.absolutePath());
        }
        if (!initial.fileName().isEmpty()) {
            dialog.selectFile(initial.fileName());
        }
    }
    const ModalBoxes::Shown shown(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdU16String();
}

}  // namespace

PromptAnswer QtPrompter::ShowMessage(const std::u16string& text, const std::u16string& caption,
                                     PromptButtons buttons, PromptIcon icon) {
    // The program is ending: nobody is asked any more.
    if (ModalBoxes::Closing()) {
        return AnswerOf(QMessageBox::NoButton, buttons);
    }
    const QString title =
        caption.empty() ? QGuiApplication::applicationDisplayName() : ToQString(caption);
    QMessageBox box(IconOf(icon), title, ToQString(text), ButtonsOf(buttons), m_parent);
    if (buttons == PromptButtons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
    }
    const ModalBoxes::Shown shown(box);
    return AnswerOf(box.exec(), buttons);
}

std::optional<std::u16string> QtPrompter::AskOpenFile(const FileDialogRequest& request) {
    return RunFileDialog(m_parent, request, QFileDialog::AcceptOpen);
}

std::optional<std::u16string> QtPrompter::AskSaveFile(const FileDialogRequest& request) {
    return RunFileDialog(m_parent, request, QFileDialog::AcceptSave);
}

}  // namespace tessel
