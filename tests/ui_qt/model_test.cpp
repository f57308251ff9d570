// The table model: Qt's rules for models, code page 932 on the way in and out, and bytes that
// survive an editor opened and closed without a change.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "ui/TableFrames.h"
#include "ui/qt/CellTableModel.h"

class TModelTest : public QObject {
    Q_OBJECT

private slots:
    void FollowsQtsModelRules();
    void ShowsCodePage932AsUnicode();
    void EditedTextIsStoredAsCodePage932();
    void TextOutsideCodePage932BecomesQuestionMarks();
    void UnchangedTextKeepsItsBytes_data();
    void UnchangedTextKeepsItsBytes();
};

void TModelTest::FollowsQtsModelRules()
{
    TCellTable table = NewTable(TTableKind::Colors);
    WriteTableFrame(table, TTableKind::Colors);
    table.SetCell(ColorNameCol, 1, "\x90\xD4");  // 赤
    TCellTableModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QVERIFY(model.setData(model.IndexOfCell(ScreenColorCol, 2), QStringLiteral("255")));
    QVERIFY(model.setData(model.IndexOfCell(ColorNameCol, 256), QStringLiteral("青")));
    QVERIFY(!model.setData(model.IndexOfCell(ColorNameCol, 3), QStringLiteral("x"), Qt::DisplayRole));
    QVERIFY(!model.setData(QModelIndex(), QStringLiteral("x")));
    model.TableChanged();
    QCOMPARE(table.Cell(ScreenColorCol, 2), std::string("255"));
    QCOMPARE(table.Cell(ColorNameCol, 256), std::string("\x90\xC2"));
    QVERIFY(table.Cell(ColorNameCol, 3).empty());
}

void TModelTest::ShowsCodePage932AsUnicode()
{
    TCellTable table = NewTable(TTableKind::Layers);
    TCellTableModel model(table);
    // レイヤ名, half-width ｶﾅ, NEC ①, IBM ⅰ, the Windows wave dash and the byte 0x7F, which
    // some code page 932 tables swap with other control codes.
    table.SetCell(NameCol, 1, "\x83\x8C\x83\x43\x83\x84\x96\xBC\xB6\xC5\x87\x40\xFA\x40\x81\x60\x7F");
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("レイヤ名ｶﾅ①ⅰ～") + QChar(0x7F));
    QCOMPARE(model.index(0, 0).data(Qt::EditRole), model.index(0, 0).data(Qt::DisplayRole));
    // A sequence that is not code page 932 is shown replaced.
    table.SetCell(NameCol, 2, "A\x81\x30" "B");
    QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("A?0B"));
}

void TModelTest::EditedTextIsStoredAsCodePage932()
{
    TCellTable table = NewTable(TTableKind::LayerGroups);
    TCellTableModel model(table);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(3, 0), QStringLiteral("配管①ｱ") + QChar(0x7F)));
    QCOMPARE(table.Cell(NameCol, 4), std::string("\x94\x7A\x8A\xC7\x87\x40\xB1\x7F"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].value<QModelIndex>(), model.index(3, 0));
    QCOMPARE(changed[0][1].value<QModelIndex>(), model.index(3, 0));
}

void TModelTest::TextOutsideCodePage932BecomesQuestionMarks()
{
    TCellTable table = NewTable(TTableKind::LayerGroups);
    TCellTableModel model(table);
    QVERIFY(model.setData(model.index(0, 0), QStringLiteral("Café ✓ 😀 図")));
    QCOMPARE(table.Cell(NameCol, 1), std::string("Caf? ? ? \x90\x7D"));
}

void TModelTest::UnchangedTextKeepsItsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not code page 932") << QByteArray("A\x81\x30" "B\x85\x40");
    QTest::newRow("a lead byte at the end") << QByteArray("\x82\xA0\x82");
    // Shown as Ⅰ and ∵, which go back to other bytes of the same characters.
    QTest::newRow("IBM duplicates of NEC characters") << QByteArray("\xFA\x4A\xFA\x5B");
    QTest::newRow("NEC-selected IBM extensions") << QByteArray("\xED\x40\xEE\xF9");
}

void TModelTest::UnchangedTextKeepsItsBytes()
{
    QFETCH(QByteArray, bytes);
    TCellTable table = NewTable(TTableKind::Layers);
    TCellTableModel model(table);
    const std::string stored(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    table.SetCell(NameCol, 7, stored);
    const QModelIndex item = model.IndexOfCell(NameCol, 7);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(item, item.data(Qt::EditRole)));
    QCOMPARE(table.Cell(NameCol, 7), stored);
    QCOMPARE(changed.count(), 0);
    // Once the text is changed, the cell holds the code page 932 of what is shown.
    QVERIFY(model.setData(item, item.data(Qt::EditRole).toString() + QLatin1Char('x')));
    QVERIFY(table.Cell(NameCol, 7) != stored);
    QCOMPARE(table.Cell(NameCol, 7).back(), 'x');
}

QTEST_MAIN(TModelTest)
#include "model_test.moc"
