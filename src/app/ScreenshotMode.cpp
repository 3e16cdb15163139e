#include "app/ScreenshotMode.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "app/ScreenshotMacro.h"
#include "model/KeyButtons.h"
#include "model/KeyTable.h"
#include "skin/SkinIni.h"

namespace tessel {

namespace {

// Time for the presence worker to attach the keyboard and fill the window.
constexpr int kSettleMs = 1000;
// Time for the window to paint after showing it and after the hover.
constexpr int kPaintMs = 400;
constexpr int kPollMs = 100;
constexpr int kGiveUpMs = 20000;

std::u16string ToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

// Puts the real pointer where it cannot hover anything of the window.
void ParkPointer(QWidget& window) {
    const QRect frame = window.frameGeometry();
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    const QPoint corners[] = {area.topLeft(), area.bottomRight(), area.topRight(),
                              area.bottomLeft()};
    for (const QPoint& corner : corners) {
        if (!frame.contains(corner)) {
            QCursor::setPos(screen, corner);
            return;
        }
    }
}

void Fail(const QString& what) {
    std::fprintf(stderr, "tessel: screenshot: %s\n", what.toLocal8Bit().constData());
}

// Steps of the screenshot, each run from the window's event loop.
struct ScreenshotRun {
    QWidget& window;
    ScreenshotRequest request;
    std::filesystem::path skinIni;
    std::function<bool()> initialised;
    std::function<void(int)> finish;
    OpenEditorFunction openEditor;
    QWidget* editor = nullptr;
    int waitedMs = 0;

    void WaitForWindow(std::shared_ptr<ScreenshotRun> self) {
        if (!initialised()) {
            waitedMs += kPollMs;
            if (waitedMs >= kGiveUpMs) {
                Fail(QStringLiteral("the window did not initialise"));
                finish(1);
                return;
            }
            QTimer::singleShot(kPollMs, &window, [self] { self->WaitForWindow(self); });
            return;
        }
        QTimer::singleShot(kSettleMs, &window, [self] { self->Show(self); });
    }

    void Show(std::shared_ptr<ScreenshotRun> self) {
        window.show();
        window.raise();
        window.activateWindow();
        ParkPointer(window);
        if (!request.editKey.isEmpty() && !OpenEditor()) {
            finish(1);
            return;
        }
        QString error;
        if (editor && !request.recordMacro.isEmpty() &&
            !RecordMacroForScreenshot(*editor, request.recordMacro, error)) {
            Fail(error);
            finish(1);
            return;
        }
        QTimer::singleShot(kPaintMs, &window, [self] { self->Hover(self); });
    }

    bool OpenEditor() {
        const std::optional<int> control = KeyControlOfName(request.editKey);
        if (!control) {
            Fail(QStringLiteral("no key is named \"%1\"").arg(request.editKey));
            return false;
        }
        editor = openEditor ? openEditor(*control) : nullptr;
        if (!editor) {
            Fail(QStringLiteral("the editor of \"%1\" did not open").arg(request.editKey));
            return false;
        }
        return true;
    }

    void Hover(std::shared_ptr<ScreenshotRun> self) {
        if (!request.hover.isEmpty()) {
            const std::optional<QPoint> point = HoverPoint(request.hover, skinIni);
            if (!point) {
                Fail(QStringLiteral("nothing to hover at \"%1\"").arg(request.hover));
            } else {
                HoverAt(window, *point);
            }
        }
        QTimer::singleShot(kPaintMs, &window, [self] { self->Save(); });
    }

    void Save() {
        const QImage picture =
            editor ? RenderWindowsPicture(window, *editor) : RenderWindowPicture(window);
        const bool saved = picture.save(request.file, "PNG");
        if (!saved) {
            Fail(QStringLiteral("cannot write %1").arg(request.file));
        }
        finish(saved ? 0 : 1);
    }
};

}  // namespace

std::optional<ScreenshotRequest> ScanScreenshotRequest(std::span<const std::string> arguments) {
    ScreenshotRequest request;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--screenshot") {
            request.file = QString::fromStdString(arguments[++i]);
        } else if (arguments[i] == "--hover") {
            request.hover = QString::fromStdString(arguments[++i]);
        } else if (arguments[i] == "--edit-key") {
            request.editKey = QString::fromStdString(arguments[++i]);
        } else if (arguments[i] == "--record-macro") {
            request.recordMacro = QString::fromStdString(arguments[++i]);
        }
    }
    if (request.file.isEmpty()) {
        return std::nullopt;
    }
    return request;
}

std::optional<QPoint> HoverPoint(const QString& hover, const std::filesystem::path& skinIni) {
    static const QRegularExpression kPoint(QStringLiteral("^\\s*(\\d+)\\s*,\\s*(\\d+)\\s*$"));
    if (hover.isEmpty()) {
        return std::nullopt;
    }
    const QRegularExpressionMatch match = kPoint.match(hover);
    if (match.hasMatch()) {
        return QPoint(match.captured(1).toInt(), match.captured(2).toInt());
    }
    const SkinRect rect = ReadSkinRect(skinIni, kButtonInfoSection, ToU16(hover));
    if (IsHiddenButtonRect(rect)) {
        return std::nullopt;
    }
    return QPoint(rect.left + rect.width / 2, rect.top + rect.height / 2);
}

QImage RenderWindowPicture(QWidget& window) {
    QImage picture(window.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    // A shaped widget renders only its shape, placed at the given offset: put
    // it back where it lies in the window.
    const QRegion shape = window.mask();
    const QPoint offset = shape.isEmpty() ? QPoint() : shape.boundingRect().topLeft();
    window.render(&painter, offset, QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    // What the shape cuts away is not part of the window.
    if (!shape.isEmpty()) {
        painter.setClipRegion(QRegion(picture.rect()).subtracted(shape));
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillRect(picture.rect(), Qt::transparent);
    }
    painter.end();
    return picture;
}

std::optional<int> KeyControlOfName(const QString& name) {
    for (const GKeyButton& key : kGKeyButtons) {
        if (name.compare(QStringLiteral("G%1").arg(key.GNumber()), Qt::CaseInsensitive) == 0 ||
            name == QString::fromStdU16String(SkinEntryName(key))) {
            return key.controlId;
        }
    }
    for (const KeyButton& key : kKeyButtons) {
        const KeyRecord* record = KeyRecordOf(key.code);
        const bool labelled =
            record && name.compare(QString::fromUtf16(record->label), Qt::CaseInsensitive) == 0;
        if (labelled || name == QString::fromStdU16String(SkinEntryName(key))) {
            return key.controlId;
        }
    }
    return std::nullopt;
}

QImage RenderWindowsPicture(QWidget& window, QWidget& above) {
    const QRect below(window.pos(), window.size());
    const QRect top(above.pos(), above.size());
    const QRect all = below.united(top);
    QImage picture(all.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawImage(below.topLeft() - all.topLeft(), RenderWindowPicture(window));
    painter.drawImage(top.topLeft() - all.topLeft(), RenderWindowPicture(above));
    painter.end();
    return picture;
}

void HoverAt(QWidget& window, QPoint point) {
    QCursor::setPos(window.mapToGlobal(point));
    QWidget* target = window.childAt(point);
    if (!target) {
        target = &window;
    }
    const QPointF local = target->mapFrom(&window, point);
    const QPointF global = window.mapToGlobal(QPointF(point));
    QEnterEvent enter(local, QPointF(point), global);
    QCoreApplication::sendEvent(target, &enter);
    QMouseEvent move(QEvent::MouseMove, local, QPointF(point), global, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

void ArmScreenshot(QWidget& window, ScreenshotRequest request, const std::filesystem::path& skinIni,
                   std::function<bool()> initialised, std::function<void(int status)> finish,
                   OpenEditorFunction openEditor) {
    auto run = std::make_shared<ScreenshotRun>(
        ScreenshotRun{window, std::move(request), skinIni, std::move(initialised),
                      std::move(finish), std::move(openEditor)});
    QTimer::singleShot(0, &window, [run] { run->WaitForWindow(run); });
}

}  // namespace tessel
