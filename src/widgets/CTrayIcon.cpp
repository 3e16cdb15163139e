#include "widgets/CTrayIcon.h"

#include "platform/StartupFailureReport.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QVariant>

#include <cstdio>

namespace tessel {

CTrayIcon::CTrayIcon(QObject* parent) : QObject(parent), m_menu(std::make_unique<QMenu>()) {
    connect(m_menu.get(), &QMenu::aboutToShow, this, &CTrayIcon::PrepareMenu);
}

CTrayIcon::~CTrayIcon() {
    RemoveIcon();
}

void CTrayIcon::Create(int id, const QIcon& icon, const QString& tooltip) {
    RemoveIcon();
    m_id = id;
    m_tooltip = tooltip;
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(tooltip);
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit DoubleClicked();
                }
            });
    m_icon->show();
}

void CTrayIcon::RemoveIcon() {
    if (m_icon) {
        m_icon->hide();
        delete m_icon;
        m_icon = nullptr;
    }
}

void CTrayIcon::SetIcon(const QIcon& icon) {
    if (m_icon) {
        m_icon->setIcon(icon);
    }
}

void CTrayIcon::ShowNotice(const QString& title, const QString& text) {
    if (m_icon) {
        m_icon->showMessage(title, text, m_icon->icon());
    }
}

bool CTrayIcon::SayOnceWithoutHost(const QString& text) {
    if (m_saidWithoutHost || QSystemTrayIcon::isSystemTrayAvailable() ||
        !PlatformHasAUser(QGuiApplication::platformName().toStdString())) {
        return false;
    }
    m_saidWithoutHost = true;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return true;
}

void CTrayIcon::SetTooltipText(const QString& text) {
    m_tooltip = text;
    if (m_icon) {
        m_icon->setToolTip(text);
    }
}

QAction* CTrayIcon::AddMenuItem(int commandId, const QString& text) {
    QAction* item = m_menu->addAction(text);
    item->setData(commandId);
    connect(item, &QAction::triggered, this, [this, commandId] { emit Command(commandId); });
    return item;
}

QAction* CTrayIcon::MenuItem(int commandId) const {
    for (QAction* item : m_menu->actions()) {
        if (item->data().toInt() == commandId) {
            return item;
        }
    }
    return nullptr;
}

void CTrayIcon::SetMenuDefaultItem(int commandId) {
    m_menu->setDefaultAction(MenuItem(commandId));
}

void CTrayIcon::SetMenuLocaliser(MenuLocaliser localiser) {
    m_localiser = std::move(localiser);
}

void CTrayIcon::PrepareMenu() {
    if (m_localiser) {
        m_localiser(*m_menu);
    }
}

}  // namespace tessel
