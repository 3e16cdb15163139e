#pragma once
// The scene menu: the default item, a separator and one item per scene, with a
// check mark on the keyboard's active profile. The main window pops it up from
// its hidden button 1009; its commands go to the scene-mode switch.

#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QAction;
class QWidget;

namespace tessel {

inline constexpr int kSceneDefaultCommand = 9000;
inline constexpr int kSceneFirstCommand = 9001;
inline constexpr int kSceneLastCommand = 9200;

class SceneMenu {
public:
    using CommandHandler = std::function<void(int command)>;

    SceneMenu(QWidget* parent, CommandHandler onCommand);
    ~SceneMenu();
    SceneMenu(const SceneMenu&) = delete;
    SceneMenu& operator=(const SceneMenu&) = delete;

    // Empties the menu and fills it again; the item of `activeProfile` (position
    // profile + 2) is checked, the default item when the profile is unknown.
    // Returns the checked item's text.
    QString Fill(const QString& defaultName, const QStringList& sceneNames, int activeProfile);
    void PopUp(const QPoint& at);

    QMenu* Menu() const { return m_menu; }
    // The items by position, the separator included.
    QList<QAction*> Items() const;

private:
    QAction* AddItem(const QString& text, int command);

    QPointer<QMenu> m_menu;
    CommandHandler m_onCommand;
};

}  // namespace tessel
