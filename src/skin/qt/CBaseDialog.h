#pragma once
// The skinned dialog every window of the program derives from: frameless,
// shaped by its mask picture, fixed to the size of and painted from its
// background picture, dragged by its body. It builds its controls from a template, and
// dispatches control commands and private window requests through its
// message map.

#include "platform/WindowRequest.h"
#include "platform/qt/RequestDispatcher.h"
#include "skin/CIniFile.h"
#include "skin/qt/DialogTemplate.h"
#include "skin/qt/MessageEntry.h"

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QRegion>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>

class QEventLoop;

namespace tessel {

class CBaseDialog : public QDialog {
    Q_OBJECT
public:
    CBaseDialog(const DialogTemplate& dialogTemplate, QWidget* parent,
                std::filesystem::path skinIni, std::filesystem::path skinFolder);
    ~CBaseDialog() override;

    // Runs OnInitDialog, once per window.
    void Create();
    // Create, show (unless the template starts hidden) and run until EndDialog.
    int DoModal();
    void EndDialog(int result);
    bool IsCreated() const { return m_created; }

    QWidget* GetDlgItem(int id) const;
    template <class T>
    T* Item(int id) const {
        return dynamic_cast<T*>(GetDlgItem(id));
    }

    // Runs the command's handler as a click on control `id` would; an unbound
    // OK or Cancel falls back to OnOK / OnCancel.
    void SendCommand(int id);
    // Private window requests: Send waits for the handler (any thread), Post
    // returns at once. Both do nothing once the window closed its requests.
    intptr_t Send(const WindowRequest& request);
    void Post(const WindowRequest& request);
    RequestDispatcher& Requests() { return m_requests; }

    const std::filesystem::path& SkinIni() const { return m_ini.Path(); }
    const std::filesystem::path& SkinFolder() const { return m_skinFolder; }
    const CIniFile& Ini() const { return m_ini; }
    bool IsLoadingSkin() const { return m_loadingSkin; }
    // The shape taken from the mask; empty when every mask pixel is white.
    const QRegion& WindowShape();
    // Held while the window is shown (or drawn); the object stays the same.
    const QPixmap& Background() const { return m_background; }

protected:
    // Builds the controls, then loads the skin.
    virtual bool OnInitDialog();
    // Creates the template's controls, once.
    void BuildControls();
    virtual void OnOK();
    virtual void OnCancel();
    void LoadSkin();

    template <class Window>
    void BindMessageMap(Window* window, std::span<const MessageEntry<Window>> entries) {
        for (const MessageEntry<Window>& entry : entries) {
            if (entry.command) {
                m_commands[static_cast<int>(entry.id)] = [window, handler = entry.command] {
                    (window->*handler)();
                };
            } else if (entry.request) {
                m_requests.Map().On(
                    entry.id, [window, handler = entry.request](uintptr_t wParam, intptr_t lParam) {
                        return (window->*handler)(wParam, lParam);
                    });
            }
        }
    }
    void BindCommand(int id, std::function<void()> handler);

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    // Decodes the background, and the first time the mask, unless held.
    void DecodeSkin();
    void ApplyShape(const QImage& mask);

    const DialogTemplate& m_template;
    CIniFile m_ini;
    std::filesystem::path m_skinFolder;
    RequestDispatcher m_requests;
    std::map<int, QWidget*> m_controls;
    std::map<int, std::function<void()>> m_commands;
    std::filesystem::path m_backgroundFile;
    std::filesystem::path m_maskFile;
    QPixmap m_background;
    QRegion m_shape;
    bool m_shapeApplied = false;
    bool m_loadingSkin = false;
    bool m_created = false;
    bool m_controlsBuilt = false;
    bool m_ended = false;
    int m_result = 0;
    QEventLoop* m_loop = nullptr;
    std::optional<QPoint> m_dragOffset;
};

}  // namespace tessel
