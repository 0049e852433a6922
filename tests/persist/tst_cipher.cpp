#include "persist/FileCipher.h"
#include "persist/Rc4.h"

#include <QCryptographicHash>
#include <QTest>

class TestCipher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rc4KeyStream_data();
    void rc4KeyStream();
    void rc4Texts_data();
    void rc4Texts();
    void rc4ContinuesAcrossCalls();
    void md5_data();
    void md5();
    void deriveKey_data();
    void deriveKey();
    void sealAndOpen_data();
    void sealAndOpen();
};

// RFC 6229: the key stream (RC4 over zero bytes) at offsets 0 and 16.
void TestCipher::rc4KeyStream_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("stream");
    QTest::newRow("40-bit key") << QByteArray::fromHex("0102030405")
                                << QByteArray::fromHex("b2396305f03dc027ccc3524a0a1118a8"
                                                       "6982944f18fc82d589c403a47a0d0919");
    QTest::newRow("128-bit key") << QByteArray::fromHex("0102030405060708090a0b0c0d0e0f10")
                                 << QByteArray::fromHex("9ac7cc9a609d1ef7b2932899cde41b97"
                                                        "5248c4959014126a6e8a84f11d1a9e1c");
}

void TestCipher::rc4KeyStream()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, stream);
    QByteArray data(stream.size(), '\0');
    CFileCipher::Encipher(key, data);
    QCOMPARE(data.toHex(), stream.toHex());
    CFileCipher::Decipher(key, data);
    QCOMPARE(data, QByteArray(stream.size(), '\0'));
}

// The classic plaintext examples.
void TestCipher::rc4Texts_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");
    QTest::newRow("Key") << QByteArray("Key") << QByteArray("Plaintext") << QByteArray::fromHex("bbf316e8d940af0ad3");
    QTest::newRow("Wiki") << QByteArray("Wiki") << QByteArray("pedia") << QByteArray::fromHex("1021bf0420");
    QTest::newRow("Secret") << QByteArray("Secret") << QByteArray("Attack at dawn")
                            << QByteArray::fromHex("45a01f645fc35b383552544b9bf5");
}

void TestCipher::rc4Texts()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);
    CFileCipher::Encipher(key, plain);
    QCOMPARE(plain.toHex(), cipher.toHex());
}

void TestCipher::rc4ContinuesAcrossCalls()
{
    const QByteArray key = QByteArray::fromHex("0102030405");
    QByteArray whole(32, '\0');
    CRc4(key).Process(whole.data(), whole.size());
    QByteArray parts(32, '\0');
    CRc4 rc4(key);
    rc4.Process(parts.data(), 5);
    rc4.Process(parts.data() + 5, 27);
    QCOMPARE(parts, whole);
}

// RFC 1321 test suite.
void TestCipher::md5_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("digest");
    QTest::newRow("empty") << QByteArray("") << QByteArray("d41d8cd98f00b204e9800998ecf8427e");
    QTest::newRow("a") << QByteArray("a") << QByteArray("0cc175b9c0f1b6a831c399e269772661");
    QTest::newRow("abc") << QByteArray("abc") << QByteArray("900150983cd24fb0d6963f7d28e17f72");
    QTest::newRow("message digest") << QByteArray("message digest") << QByteArray("f96b697d7cb7938d525a2f31aaf161d0");
    QTest::newRow("digits") << QByteArray("12345678901234567890123456789012345678901234567890123456789012345678901234567890")
                            << QByteArray("57edf4a22be3c955ac49da2e2107b67a");
}

void TestCipher::md5()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, digest);
    QCOMPARE(QCryptographicHash::hash(input, QCryptographicHash::Md5).toHex(), digest);
}

// The key is the MD5 of the password's UTF-16LE code units (digests from an
// independent implementation).
void TestCipher::deriveKey_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("ascii") << QStringLiteral("abc") << QByteArray("ce1473cf80c6b3fda8e3dfc006adc315");
    QTest::newRow("japanese") << QStringLiteral("パスワード") << QByteArray("2d68fe3a8dd81b065e9bbbdff1054966");
    QTest::newRow("empty") << QString() << QByteArray("d41d8cd98f00b204e9800998ecf8427e");
}

void TestCipher::deriveKey()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, key);
    QCOMPARE(CFileCipher::DeriveKey(password).toHex(), key);
}

void TestCipher::sealAndOpen_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("opens");
    QTest::newRow("right password") << QStringLiteral("secret") << QStringLiteral("secret") << true;
    QTest::newRow("japanese password") << QStringLiteral("秘密") << QStringLiteral("秘密") << true;
    QTest::newRow("wrong password") << QStringLiteral("secret") << QStringLiteral("Secret") << false;
    QTest::newRow("empty entered") << QStringLiteral("secret") << QString() << false;
}

void TestCipher::sealAndOpen()
{
    QFETCH(QString, password);
    QFETCH(QString, entered);
    QFETCH(bool, opens);
    const QByteArray plain("payload bytes");
    QByteArray payload = plain;
    CFileCipher::SealPayload(password, payload);
    QCOMPARE(payload.size(), plain.size() + CFileCipher::TrailerSize);
    QVERIFY(!payload.contains("B3A66048"));
    QCOMPARE(CFileCipher::OpenPayload(entered, payload), opens);
    if (opens)
        QCOMPARE(payload, plain + "B3A660488A564C69BC1D895F3876C627");
}

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
