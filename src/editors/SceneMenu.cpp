#include "editors/SceneMenu.h"

#include <QAction>
#include <QMenu>

namespace tessel {

SceneMenu::SceneMenu(QWidget* parent, CommandHandler onCommand)
    : m_menu(new QMenu(parent)), m_onCommand(std::move(onCommand)) {}

SceneMenu::~SceneMenu() {
    delete m_menu.data();
}

QString SceneMenu::Fill(const QString& defaultName, const QStringList& sceneNames,
                        int activeProfile) {
    // An item may be rebuilt from inside its own triggered signal: the old
    // items go only once control is back in the event loop.
    for (QAction* action : m_menu->actions()) {
        m_menu->removeAction(action);
        action->deleteLater();
    }

    QAction* defaultItem = AddItem(defaultName, kSceneDefaultCommand);
    m_menu->addSeparator();
    std::vector<QAction*> scenes;
    for (int i = 0; i < sceneNames.size(); ++i) {
        scenes.push_back(AddItem(sceneNames[i], kSceneFirstCommand + i));
    }
    const bool known = activeProfile >= 0 && activeProfile < static_cast<int>(scenes.size());
    QAction* checked = known ? scenes[static_cast<std::size_t>(activeProfile)] : defaultItem;
    checked->setChecked(true);
    return checked->text();
}

QAction* SceneMenu::AddItem(const QString& text, int command) {
    QAction* action = m_menu->addAction(text);
    action->setCheckable(true);
    QObject::connect(action, &QAction::triggered, m_menu,
                     [this, command] { m_onCommand(command); });
    return action;
}

void SceneMenu::PopUp(const QPoint& at) {
    m_menu->popup(at);
}

QList<QAction*> SceneMenu::Items() const {
    return m_menu->actions();
}

}  // namespace tessel
