#include "app/PwdDlg.h"
#include "platform/MessageBox.h"
#include "tests/support/KeyInput.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using support::TypeText;

// Runs the dialog modally and lets pAct press its buttons once it shows.
template <typename Act>
int RunModal(CPwdDlg& dlg, Act act)
{
    QTimer::singleShot(0, &dlg, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&dlg) || dlg.isVisible());
        act();
    });
    return dlg.DoModal();
}
}

class TestPwdDlg : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modes_data();
    void modes();
    void result_data();
    void result();
    void askForFile();
    void warningFitsAtAnyFont_data();
    void warningFitsAtAnyFont();
};

void TestPwdDlg::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("note");
    QTest::addColumn<bool>("release");
    QTest::newRow("enter with path") << int(CPwdDlg::MODE_ENTER) << QStringLiteral("/home/a/家計.ldr")
                                     << QStringLiteral("パスワードの入力 - /home/a/家計.ldr")
                                     << QStringLiteral("パスワード") << false << false;
    QTest::newRow("set") << int(CPwdDlg::MODE_SET) << QString() << QStringLiteral("パスワードの設定")
                         << QStringLiteral("パスワード") << false << false;
    QTest::newRow("confirm") << int(CPwdDlg::MODE_CONFIRM) << QString() << QStringLiteral("パスワードの確認")
                             << QStringLiteral("パスワードをもう一度入力してください。") << true << false;
    QTest::newRow("change") << int(CPwdDlg::MODE_CHANGE) << QString() << QStringLiteral("パスワードの変更")
                            << QStringLiteral("新しいパスワード") << false << true;
}

void TestPwdDlg::modes()
{
    QFETCH(int, mode);
    QFETCH(QString, title);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    QFETCH(bool, note);
    QFETCH(bool, release);
    CPwdDlg dlg(mode);
    dlg.m_strTitle = title;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), caption);
    QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("label"))->text(), label);
    QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("note"))->isVisible(), note);
    QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("release"))->isVisible(), release);
    auto* pEdit = dlg.findChild<QLineEdit*>(QStringLiteral("password"));
    QCOMPARE(pEdit->echoMode(), QLineEdit::Password);
    QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("cancel"))->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    dlg.reject();
}

void TestPwdDlg::result_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("result");
    QTest::newRow("typed password") << QString() << QStringLiteral("秘密abc") << QStringLiteral("ok") << int(IDOK)
                                    << QStringLiteral("秘密abc");
    QTest::newRow("empty edit keeps result") << QStringLiteral("old") << QString() << QStringLiteral("ok")
                                             << int(IDOK) << QStringLiteral("old");
    QTest::newRow("cancel keeps result") << QStringLiteral("old") << QStringLiteral("new")
                                         << QStringLiteral("cancel") << int(IDCANCEL) << QStringLiteral("old");
    QTest::newRow("release empties result") << QStringLiteral("old") << QStringLiteral("new")
                                            << QStringLiteral("release") << int(IDOK) << QString();
    QTest::newRow("return key is OK") << QString() << QStringLiteral("pw") << QString() << int(IDOK)
                                      << QStringLiteral("pw");
}

void TestPwdDlg::result()
{
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(int, answer);
    QFETCH(QString, result);
    CPwdDlg dlg(CPwdDlg::MODE_CHANGE);
    dlg.m_strResult = initial;
    const int nAnswer = RunModal(dlg, [&] {
        auto* pEdit = dlg.findChild<QLineEdit*>(QStringLiteral("password"));
        QVERIFY(pEdit->text().isEmpty());
        TypeText(pEdit, typed);
        QCOMPARE(pEdit->text(), typed);
        if (button.isEmpty())
            QTest::keyClick(pEdit, Qt::Key_Return);
        else
            QTest::mouseClick(dlg.findChild<QPushButton*>(button), Qt::LeftButton);
        if (dlg.isVisible())
            dlg.reject(); // never leave the loop hanging on a failed step
    });
    QCOMPARE(nAnswer, answer);
    QCOMPARE(dlg.m_strResult, result);
}

void TestPwdDlg::askForFile()
{
    QString strPassword = QStringLiteral("stale");
    bool bShown = false;
    QTimer::singleShot(0, [&] {
        auto* pDlg = qobject_cast<CPwdDlg*>(QApplication::activeModalWidget());
        QVERIFY(pDlg);
        bShown = true;
        QCOMPARE(pDlg->windowTitle(), QStringLiteral("パスワードの入力 - /tmp/a.ldr"));
        QVERIFY(!pDlg->findChild<QPushButton*>(QStringLiteral("release"))->isVisible());
        // OK with nothing typed tries the empty password.
        QTest::mouseClick(pDlg->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    });
    QVERIFY(CPwdDlg::AskForFile(QStringLiteral("/tmp/a.ldr"), strPassword));
    QVERIFY(bShown);
    QCOMPARE(strPassword, QString());

    QTimer::singleShot(0, [] {
        if (QWidget* pDlg = QApplication::activeModalWidget())
            QTest::mouseClick(pDlg->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    });
    strPassword = QStringLiteral("kept");
    QVERIFY(!CPwdDlg::AskForFile(QStringLiteral("/tmp/a.ldr"), strPassword));
    QCOMPARE(strPassword, QStringLiteral("kept"));
}

void TestPwdDlg::warningFitsAtAnyFont_data()
{
    QTest::addColumn<qreal>("points");
    QTest::newRow("9 pt") << 9.0;
    QTest::newRow("16 pt") << 16.0;
    QTest::newRow("28 pt") << 28.0;
}

void TestPwdDlg::warningFitsAtAnyFont()
{
    QFETCH(qreal, points);
    CPwdDlg dlg(CPwdDlg::MODE_CONFIRM);
    QFont font = dlg.font();
    font.setPointSizeF(points);
    dlg.setFont(font);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* pNote = dlg.findChild<QLabel*>(QStringLiteral("note"));
    QVERIFY(pNote->isVisible());
    // Every wrapped line of the warning is inside the label, the label inside the dialog.
    QVERIFY(pNote->height() >= pNote->heightForWidth(pNote->width()));
    QVERIFY(dlg.rect().contains(pNote->geometry()));
    auto* pOK = dlg.findChild<QPushButton*>(QStringLiteral("ok"));
    QVERIFY(dlg.rect().contains(pOK->geometry()));
    QVERIFY(pOK->geometry().top() >= pNote->geometry().bottom());
    dlg.reject();
}

QTEST_MAIN(TestPwdDlg)
#include "tst_pwddlg.moc"
