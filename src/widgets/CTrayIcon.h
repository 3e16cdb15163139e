#pragma once
// The notification-area icon with its pop-up menu. Menu items carry command
// ids; the owner hears commands and the double-click through signals.

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace tessel {

class CTrayIcon : public QObject {
    Q_OBJECT
public:
    // Runs just before the menu pops up, to give the items their texts.
    using MenuLocaliser = std::function<void(QMenu& menu)>;

    explicit CTrayIcon(QObject* parent = nullptr);
    ~CTrayIcon() override;

    // `id` names the icon; the pop-up menu of the same id belongs to it.
    void Create(int id, const QIcon& icon, const QString& tooltip);
    bool IsCreated() const { return m_icon != nullptr; }
    QSystemTrayIcon* SystemIcon() const { return m_icon; }
    void RemoveIcon();
    int Id() const { return m_id; }

    void SetIcon(const QIcon& icon);
    void SetTooltipText(const QString& text);
    // A desktop notification beside the icon; nothing without an icon.
    void ShowNotice(const QString& title, const QString& text);
    QString TooltipText() const { return m_tooltip; }
    // Where no notification-area host runs (a bare Wayland compositor, say)
    // nobody sees the icon: writes `text` to standard error, once, on a
    // platform a user looks at. Whether it was written.
    bool SayOnceWithoutHost(const QString& text);

    QAction* AddMenuItem(int commandId, const QString& text);
    QAction* MenuItem(int commandId) const;
    void SetMenuDefaultItem(int commandId);
    void SetMenuLocaliser(MenuLocaliser localiser);
    QMenu& Menu() { return *m_menu; }
    // What happens each time before the menu shows (also for tests).
    void PrepareMenu();

signals:
    void Command(int commandId);
    void DoubleClicked();

private:
    int m_id = 0;
    QString m_tooltip;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
    MenuLocaliser m_localiser;
    bool m_saidWithoutHost = false;
};

}  // namespace tessel
