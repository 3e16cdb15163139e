#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include "LightingPictures.h"
#include "MainWindowLayout.h"
#include "SkinWriter.h"

// skingen FOLDER: writes the default skin (INI files, backgrounds, masks,
// button sheets, lighting pictures and icons) into FOLDER. The output depends
// only on this program and the fonts it draws with.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: skingen FOLDER\n";
        return 2;
    }
    QDir folder(args[1]);
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "skingen: cannot create " << args[1] << '\n';
        return 1;
    }
    QString error;
    for (const auto& window : {skingen::MainWindowSkin(), skingen::CompositeSkin(),
                               skingen::ProfileSkin(), skingen::UpdateSkin(),
                               skingen::AppProfileSkin()}) {
        if (error.isEmpty())
            error = skingen::WriteSkinWindow(window, folder);
    }
    if (error.isEmpty()) {
        error = skingen::SavePicture(skingen::main_layout::RenderArrowSheet(), folder,
                                     QStringLiteral("Arrow.jpg"));
    }
    if (error.isEmpty())
        error = skingen::WriteLightingPictures(folder);
    if (error.isEmpty())
        error = skingen::WriteIcons(folder);
    if (!error.isEmpty()) {
        err << "skingen: " << error << '\n';
        return 1;
    }
    return 0;
}
