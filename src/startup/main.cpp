#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QStringLiteral("Blattwart für AutoCAD 2007"),
                             QStringLiteral("Der Explorer ist noch nicht gebaut."));
    return 0;
}
