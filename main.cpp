#include "platform/runtime.h"
#include "table/forma_masa.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dovek"));
    rt::instaleaza_fonturi();
    dovek::FormaMasa masa;
    masa.show();
    return QApplication::exec();
}
