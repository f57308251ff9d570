// The Qt desktop services as the window logic uses them: what the dialogs and message boxes
// are given and give back, and the folders and paths, which are the system's bytes.
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui_qt/support/ModalAnswer.h"
#include "ui/Messages.h"
#include "ui/qt/DisplayText.h"
#include "ui/qt/QtDesktopServices.h"

namespace {

TFileDialogSettings SettingsIn(const QTemporaryDir& folder, std::string_view filter)
{
    TFileDialogSettings settings;
    settings.InitialFolder = PathToOs(folder.path()) + "/";
    settings.FileName = PathToOs(QStringLiteral("図面.jww"));
    settings.Filter = filter;
    settings.DefaultExtension = DialogDefaultExtension;
    return settings;
}

}  // namespace

class TServicesTest : public QObject {
    Q_OBJECT

private slots:
    void MessageBoxesHaveTheirCaptionIconAndOneOkButton();
    void OpenDialogStartsInTheFolderWithTheFile();
    void SaveDialogAddsTheExtensionAndConfirmsReplacing();
    void CancelledDialogsAnswerNothing();
    void ColorDialogTakesAndGivesRedInTheLowestByte();
    void CacheFolderFollowsTheDesktopsRules();
    void FoldersAreCreatedAndRemovedWhenEmpty();
};

void TServicesTest::MessageBoxesHaveTheirCaptionIconAndOneOkButton()
{
    TQtDesktopServices services;
    struct TExpected {
        std::string_view Caption;
        TMessageKind Kind;
        QMessageBox::Icon Icon;
    };
    for (const TExpected& expected :
         {TExpected{CaptionWarning, TMessageKind::Warning, QMessageBox::Warning},
          TExpected{CaptionInformation, TMessageKind::Information, QMessageBox::Information}}) {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton*> buttons;
        AnswerNextModal([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons();
            QVERIFY(box->button(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        });
        services.ShowMessageBox(MsgSaveFailed, expected.Caption, expected.Kind);
        QCOMPARE(title, TextFromCp932(expected.Caption));
        QCOMPARE(icon, expected.Icon);
        QCOMPARE(buttons.size(), 1);
        // Two lines, without the carriage return.
        QCOMPARE(text, QStringLiteral("ファイル保存に失敗しました。\nディスクの空き容量や書込可能状態か等を確認して下さい。"));
    }
}

void TServicesTest::OpenDialogStartsInTheFolderWithTheFile()
{
    QTemporaryDir folder;
    QFile drawing(folder.filePath(QStringLiteral("図面.jww")));
    QVERIFY(drawing.open(QIODevice::WriteOnly));
    drawing.close();
    TQtDesktopServices services;
    AnswerNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("JWW 4.20データ(*.jww) (*.jww)")});
        QCOMPARE(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("jww"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::optional<std::string> chosen = services.OpenDialog(SettingsIn(folder, OpenDialogFilter));
    QVERIFY(chosen);
    QCOMPARE(*chosen, PathToOs(drawing.fileName()));
}

void TServicesTest::SaveDialogAddsTheExtensionAndConfirmsReplacing()
{
    QTemporaryDir folder;
    TQtDesktopServices services;
    TFileDialogSettings settings = SettingsIn(folder, SaveDialogFilter);
    settings.ConfirmOverwrite = true;
    settings.HideReadOnly = true;
    settings.Resizable = true;
    AnswerNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("JWWデータ(*.jww) (*.jww)")});
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QLineEdit* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        QCOMPARE(name->text(), QStringLiteral("図面.jww"));
        name->setText(QStringLiteral("新規"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    std::optional<std::string> chosen = services.SaveDialog(settings);
    QVERIFY(chosen);
    QCOMPARE(*chosen, PathToOs(folder.filePath(QStringLiteral("新規.jww"))));

    // A name that, with its extension, names an existing file is confirmed first.
    QFile existing(folder.filePath(QStringLiteral("新規.jww")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    bool asked = false;
    AnswerNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("新規"));
        AnswerNextModal([&](QWidget& question) {
            auto* box = qobject_cast<QMessageBox*>(&question);
            QVERIFY(box);
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    chosen = services.SaveDialog(settings);
    QVERIFY(asked);
    QVERIFY(chosen);
    QCOMPARE(*chosen, PathToOs(existing.fileName()));
}

void TServicesTest::CancelledDialogsAnswerNothing()
{
    QTemporaryDir folder;
    TQtDesktopServices services;
    AnswerNextModal([](QWidget& modal) { qobject_cast<QDialog*>(&modal)->reject(); });
    QVERIFY(!services.OpenDialog(SettingsIn(folder, OpenDialogFilter)));
    AnswerNextModal([](QWidget& modal) { qobject_cast<QDialog*>(&modal)->reject(); });
    QVERIFY(!services.SaveDialog(SettingsIn(folder, SaveDialogFilter)));
    AnswerNextModal([](QWidget& modal) { qobject_cast<QDialog*>(&modal)->reject(); });
    QVERIFY(!services.ColorDialog(255));
}

void TServicesTest::ColorDialogTakesAndGivesRedInTheLowestByte()
{
    TQtDesktopServices services;
    QColor shown;
    AnswerNextModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QColorDialog*>(&modal);
        QVERIFY(dialog);
        shown = dialog->currentColor();
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    QCOMPARE(services.ColorDialog(255), std::optional<int32_t>(0x563412));
    QCOMPARE(shown, QColor(255, 0, 0));
}

void TServicesTest::CacheFolderFollowsTheDesktopsRules()
{
    TQtDesktopServices services;
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    const QByteArray home = qgetenv("HOME");
    qputenv("XDG_CACHE_HOME", "/var/cache/\xE7\x94\xA8");
    QCOMPARE(services.UserCacheFolder(), std::string("/var/cache/\xE7\x94\xA8/"));
    qputenv("XDG_CACHE_HOME", "relative/cache");
    qputenv("HOME", "/home/\xE7\x94\xA8");
    QCOMPARE(services.UserCacheFolder(), std::string("/home/\xE7\x94\xA8/.cache/"));
    qunsetenv("XDG_CACHE_HOME");
    QCOMPARE(services.UserCacheFolder(), std::string("/home/\xE7\x94\xA8/.cache/"));
    qunsetenv("HOME");
    QCOMPARE(services.UserCacheFolder(), std::string());
    qputenv("XDG_CACHE_HOME", cache);
    qputenv("HOME", home);
}

void TServicesTest::FoldersAreCreatedAndRemovedWhenEmpty()
{
    QTemporaryDir base;
    TQtDesktopServices services;
    const std::string folder = PathToOs(base.path()) + "/\xE4\xB8\x80/TEMP/";
    QVERIFY(services.CreateFolder(folder));
    QVERIFY(QDir(base.filePath(QStringLiteral("一/TEMP"))).exists());
    // Again: it exists, so it is there to use.
    QVERIFY(services.CreateFolder(folder));

    QFile kept(base.filePath(QStringLiteral("一/TEMP/kept")));
    QVERIFY(kept.open(QIODevice::WriteOnly));
    kept.close();
    services.RemoveFolder(folder);
    QVERIFY(kept.exists());
    QVERIFY(kept.remove());
    services.RemoveFolder(folder);
    QVERIFY(!QDir(base.filePath(QStringLiteral("一/TEMP"))).exists());

    // A file in the way.
    QFile blocker(base.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!services.CreateFolder(PathToOs(blocker.fileName()) + "/"));
}

QTEST_MAIN(TServicesTest)
#include "services_test.moc"
