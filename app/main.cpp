#include "app/WidgetMessageSink.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pennyfold"));
    QApplication::setOrganizationName(QStringLiteral("KaedeYa"));

    CWidgetMessageSink sink;
    CMessageBox::SetSink(&sink);

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Pennyfold"));
    auto* pLabel = new QLabel(QStringLiteral(
        "Pennyfold 家計簿\n\n"
        "出納記録・集計表・グラフ・メモの各ビューはまだ作られていません。\n"
        "The ledger views are not built yet."));
    pLabel->setAlignment(Qt::AlignCenter);
    frame.setCentralWidget(pLabel);
    frame.resize(800, 500);
    frame.show();
    sink.SetParent(&frame);

    const int nResult = QApplication::exec();
    CMessageBox::SetSink(nullptr);
    return nResult;
}
