#include "widgets/latin1_text.h"

#include <QLineEdit>
#include <QTest>

namespace zav {

class Latin1TextTest : public QObject {
    Q_OBJECT

private slots:
    // Every byte value, the zero byte included, survives a trip through a widget.
    void EveryByteSurvivesAnEditField()
    {
        std::string all;
        for (int value = 0; value < 256; ++value) {
            all.push_back(static_cast<char>(value));
        }
        QLineEdit field;
        field.setText(FromLatin1(all));
        QCOMPARE(ToLatin1(field.text()).size(), all.size());
        QVERIFY(ToLatin1(field.text()) == all);
    }

    // A character outside Latin-1 typed by the user cannot become some other byte silently
    // in both directions: it turns into '?', never into a multi-byte sequence.
    void CharacterOutsideLatin1BecomesOneByte()
    {
        QCOMPARE(ToLatin1(QStringLiteral("A\u20ACB")).size(), std::size_t{3});
    }
};

} // namespace zav

QTEST_MAIN(zav::Latin1TextTest)
#include "latin1_text_test.moc"
