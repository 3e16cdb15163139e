#include "skin/qt/CBaseDialog.h"

#include "platform/qt/QtText.h"
#include "platform/qt/WaylandWindows.h"
#include "skin/BitmapToRegion.h"
#include "skin/SkinIni.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/StartupFailure.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <QWindow>

#include <cstdint>
#include <span>
#include <vector>

namespace tessel {

namespace {

constexpr std::uint32_t kMaskKeyColour = 0x00FFFFFF;  // white is outside the window
constexpr std::uint32_t kMaskTolerance = 0;
constexpr std::size_t kRegionBlock = 2000;

}  // namespace

CBaseDialog::CBaseDialog(const DialogTemplate& dialogTemplate, QWidget* parent,
                         std::filesystem::path skinIni, std::filesystem::path skinFolder)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_template(dialogTemplate),
      m_ini(std::move(skinIni)),
      m_skinFolder(std::move(skinFolder)) {
    PrepareSkinnedWindow(*this);
    resize(m_template.size);
    setWindowTitle(ToQString(m_template.title));
}

CBaseDialog::~CBaseDialog() {
    // No request may reach a window that is going away.
    m_requests.Close();
}

void CBaseDialog::Create() {
    if (m_created) {
        return;
    }
    m_created = true;
    OnInitDialog();
}

void CBaseDialog::BuildControls() {
    if (m_controlsBuilt) {
        return;
    }
    m_controlsBuilt = true;
    for (const ControlTemplate& control : m_template.controls) {
        QWidget* widget = control.create(this);
        widget->setGeometry(control.rect);
        if (!control.caption.empty()) {
            widget->setProperty("text", ToQString(control.caption));
        }
        widget->setEnabled(control.enabled);
        widget->setVisible(control.visible);
        m_controls[control.id] = widget;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            const int id = control.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] { SendCommand(id); });
        }
    }
}

bool CBaseDialog::OnInitDialog() {
    BuildControls();
    LoadSkin();
    return true;
}

int CBaseDialog::DoModal() {
    m_ended = false;
    Create();
    if (m_ended) {
        return m_result;
    }
    setWindowModality(parentWidget() ? Qt::ApplicationModal : Qt::NonModal);
    if (m_template.visible) {
        show();
    }
    QEventLoop loop;
    m_loop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
    return m_result;
}

void CBaseDialog::EndDialog(int result) {
    done(result);
}

void CBaseDialog::done(int result) {
    m_result = result;
    m_ended = true;
    QDialog::done(result);
    if (m_loop) {
        m_loop->exit();
    }
}

QWidget* CBaseDialog::GetDlgItem(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void CBaseDialog::BindCommand(int id, std::function<void()> handler) {
    m_commands[id] = std::move(handler);
}

void CBaseDialog::SendCommand(int id) {
    const auto found = m_commands.find(id);
    if (found != m_commands.end()) {
        found->second();
    } else if (id == kIdOk) {
        OnOK();
    } else if (id == kIdCancel) {
        OnCancel();
    }
}

intptr_t CBaseDialog::Send(const WindowRequest& request) {
    return m_requests.Send(request);
}

void CBaseDialog::Post(const WindowRequest& request) {
    m_requests.Post(request);
}

void CBaseDialog::OnOK() {
    EndDialog(kIdOk);
}

void CBaseDialog::OnCancel() {
    EndDialog(kIdCancel);
}

// Only what the hidden window needs: the files are checked and the window
// takes the background's size; the pixels are decoded when it is first drawn.
void CBaseDialog::LoadSkin() {
    m_loadingSkin = true;
    const CheckedSkinPictures checked = CheckSkinPictures(SkinIni(), m_skinFolder);
    m_backgroundFile = checked.background;
    m_maskFile = checked.mask;
    m_background = QPixmap();
    m_shapeApplied = false;
    FixSkinnedWindowSize(*this, checked.size);
    raise();
    hide();
    m_loadingSkin = false;
}

void CBaseDialog::DecodeSkin() {
    if (!m_background.isNull() || m_backgroundFile.empty()) {
        return;
    }
    const QImage background = LoadPictureFile(m_backgroundFile);
    m_background = QPixmap::fromImage(background);
    // The shape stays with the window; only the background comes and goes.
    if (!m_shapeApplied) {
        ApplyShape(m_maskFile == m_backgroundFile ? background : LoadPictureFile(m_maskFile));
        m_shapeApplied = true;
    }
}

const QRegion& CBaseDialog::WindowShape() {
    DecodeSkin();
    return m_shape;
}

void CBaseDialog::showEvent(QShowEvent* event) {
    // Before the window reaches the screen, so it never appears unshaped.
    DecodeSkin();
    QDialog::showEvent(event);
}

void CBaseDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A minimised window comes back without a decode.
    if (!isMinimized()) {
        m_background = QPixmap();
    }
}

void CBaseDialog::ApplyShape(const QImage& mask) {
    const QImage pixels = mask.convertToFormat(QImage::Format_RGB32);
    const std::span<const std::uint32_t> data(
        reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
        static_cast<std::size_t>(pixels.sizeInBytes() / sizeof(std::uint32_t)));
    const std::vector<SkinRect> runs =
        BitmapToRegion(data, pixels.width(), pixels.height(), kMaskKeyColour, kMaskTolerance);
    // Rows go into the region in blocks; each union also merges rows that
    // match into the compact form Qt works fastest with.
    m_shape = QRegion();
    std::vector<QRect> block;
    block.reserve(kRegionBlock);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        block.emplace_back(runs[i].left, runs[i].top, runs[i].width, runs[i].height);
        if (block.size() == kRegionBlock || i + 1 == runs.size()) {
            QRegion part;
            part.setRects(block.data(), static_cast<int>(block.size()));
            m_shape = m_shape.united(part);
            block.clear();
        }
    }
    // Qt reads an empty mask as "no mask": an all-white mask must still leave
    // nothing of the window, so it gets a mask outside its own area.
    setMask(m_shape.isEmpty() ? QRegion(-1, -1, 1, 1) : m_shape);
}

void CBaseDialog::paintEvent(QPaintEvent*) {
    DecodeSkin();  // drawn without being shown, e.g. grabbed
    if (m_background.isNull()) {
        return;
    }
    QPainter painter(this);
    ClipToShape(painter, *this);
    painter.drawPixmap(0, 0, m_background);
}

// The body of the window works as its caption: pressing it starts a move.
void CBaseDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    if (windowHandle() && windowHandle()->startSystemMove()) {
        return;
    }
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CBaseDialog::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragOffset && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
        update();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CBaseDialog::mouseReleaseEvent(QMouseEvent* event) {
    m_dragOffset.reset();
    QDialog::mouseReleaseEvent(event);
}

// Enter and Esc act as the dialog's OK and Cancel commands.
void CBaseDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            SendCommand(kIdOk);
            return;
        case Qt::Key_Escape:
            SendCommand(kIdCancel);
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

// Closing from the window manager is a Cancel.
void CBaseDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    SendCommand(kIdCancel);
}

}  // namespace tessel
