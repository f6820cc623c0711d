#include "webhost.h"

#include "store/store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <httplib.h>

namespace vk::server {

namespace {

constexpr qint64 kMaxServedFile = qint64(1) << 30;

QString param(const httplib::Request& req, const char* key, int maxLength) {
    if (!req.has_param(key))
        return {};
    return QString::fromStdString(req.get_param_value(key)).left(maxLength);
}

void sendHtml(httplib::Response& res, const QString& title, const QString& bodyHtml) {
    const QString page =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\">"
                       "<title>%1</title><style>"
                       "body{font-family:sans-serif;margin:0;background:#f2f4f5;color:#333}"
                       "header{background:#1aa6b7;color:#fff;padding:14px 24px;font-size:20px}"
                       "main{padding:20px 24px;max-width:720px}"
                       "label{display:block;margin-top:10px;font-weight:bold}"
                       "input,textarea{width:100%;padding:6px;box-sizing:border-box}"
                       "button{margin-top:16px;padding:8px 24px;background:#1aa6b7;color:#fff;"
                       "border:0;font-size:16px}"
                       "table{border-collapse:collapse}td{padding:6px 12px;border-bottom:1px "
                       "solid #ccc}.note{color:#777;margin-top:24px}"
                       "</style></head><body><header>Velkor Otomotiv</header><main>%2</main>"
                       "</body></html>\n")
            .arg(htmlEscape(title), bodyHtml);
    res.set_content(page.toStdString(), "text/html; charset=utf-8");
}

void requestForm(const httplib::Request& req, httplib::Response& res) {
    const QString id = param(req, "id", 200);
    const QString carino = param(req, "carino", 20);
    const QString user = param(req, "kullanici", 100);
    auto field = [](const char* name, const QString& label, bool area = false) {
        const QString n = QString::fromLatin1(name);
        return area ? QStringLiteral("<label for=\"%1\">%2</label><textarea id=\"%1\" name=\"%1\" "
                                     "rows=\"5\" maxlength=\"4000\"></textarea>")
                          .arg(n, htmlEscape(label))
                    : QStringLiteral("<label for=\"%1\">%2</label><input id=\"%1\" name=\"%1\" "
                                     "maxlength=\"200\">")
                          .arg(n, htmlEscape(label));
    };
    sendHtml(res, QStringLiteral("İstek Formu"),
             QStringLiteral("<h2>Bayi Kayıt İstek Formu</h2>"
                            "<p>Bu bilgisayar henüz kayıtlı değil. Bilgilerinizi gönderin; "
                            "kaydınız yapılınca size haber verilecektir.</p>"
                            "<p>Bilgisayar ID: <b>%1</b></p>"
                            "<form method=\"post\" action=\"/formmailgonder.aspx\">"
                            "<input type=\"hidden\" name=\"id\" value=\"%1\">"
                            "<input type=\"hidden\" name=\"carino\" value=\"%2\">"
                            "<input type=\"hidden\" name=\"kullanici\" value=\"%3\">%4%5%6%7%8"
                            "<button type=\"submit\">Gönder</button></form>")
                 .arg(htmlEscape(id), htmlEscape(carino), htmlEscape(user),
                      field("firma", QStringLiteral("Firma Adı")),
                      field("yetkili", QStringLiteral("Yetkili")),
                      field("telefon", QStringLiteral("Telefon")),
                      field("mail", QStringLiteral("E-posta")),
                      field("aciklama", QStringLiteral("Açıklama"), true)));
}

} // namespace

QString htmlEscape(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\'':
            out += QStringLiteral("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString servedFile(const QString& dir, const QString& name) {
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_-][A-Za-z0-9._-]*$"));
    if (dir.isEmpty() || !plainName.match(name).hasMatch())
        return {};
    const QString root = QFileInfo(dir).canonicalFilePath();
    const QFileInfo file(QDir(dir).filePath(name));
    const QString resolved = file.canonicalFilePath(); // follows links; empty when missing
    if (root.isEmpty() || resolved.isEmpty() || !QFileInfo(resolved).isFile() ||
        !resolved.startsWith(root + u'/'))
        return {};
    return resolved;
}

void installWebHost(httplib::Server& web, Store& store, WebHostOptions options) {
    auto log = options.log ? options.log : [](const QString&) {};

    web.Get("/ip", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.remote_addr, "text/plain; charset=utf-8");
    });

    web.Get("/resimgoster.ashx", [&store](const httplib::Request& req, httplib::Response& res) {
        bool ok = false;
        const int id = param(req, "id", 12).toInt(&ok);
        QByteArray jpeg;
        if (ok) {
            Sql q(store, QStringLiteral("SELECT resim FROM stok_resim WHERE stokno = ?"), {id});
            jpeg = q.exec().scalar().toByteArray();
        }
        if (jpeg.isEmpty()) {
            res.set_content("Resim yok", "text/plain; charset=utf-8");
            return;
        }
        res.set_content(jpeg.toStdString(), "image/jpeg");
    });

    web.Get("/formmailgonder.aspx",
            [](const httplib::Request& req, httplib::Response& res) { requestForm(req, res); });

    web.Post("/formmailgonder.aspx", [&store, log](const httplib::Request& req,
                                                   httplib::Response& res) {
        const QString now =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        store.write([&] {
            Sql(store,
                QStringLiteral("INSERT INTO istek_formu(zaman, bilgisayarid, firma, yetkili, "
                               "telefon, mail, aciklama, ip) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {now, param(req, "id", 200), param(req, "firma", 200), param(req, "yetkili", 200),
                 param(req, "telefon", 200), param(req, "mail", 200), param(req, "aciklama", 4000),
                 QString::fromStdString(req.remote_addr)})
                .exec();
        });
        log(QStringLiteral("istek formu alındı: %1").arg(param(req, "id", 200)));
        sendHtml(res, QStringLiteral("İstek Formu"),
                 QStringLiteral("<h2>Teşekkürler</h2><p>İsteğiniz alındı. Kaydınız yapılınca "
                                "programa giriş yapabilirsiniz.</p>"));
    });

    web.Get("/Ravlokart.html", [](const httplib::Request& req, httplib::Response& res) {
        sendHtml(res, QStringLiteral("Sanal Pos"),
                 QStringLiteral("<h2>Kredi Kartı ile Ödeme</h2><table>"
                                "<tr><td>Cari No</td><td>%1</td></tr>"
                                "<tr><td>Şube</td><td>%2</td></tr>"
                                "<tr><td>Firma</td><td>%3</td></tr>"
                                "<tr><td>Bakiye</td><td>%4</td></tr></table>"
                                "<p class=\"note\">Bu sayfa gösterim amaçlıdır; kart bilgisi "
                                "istenmez ve ödeme alınmaz.</p>")
                     .arg(htmlEscape(param(req, "carino", 20)), htmlEscape(param(req, "sube", 100)),
                          htmlEscape(param(req, "firmasi", 300)),
                          htmlEscape(param(req, "bakiye", 100))));
    });

    const QString filesDir = options.filesDir;
    web.Get(R"(/exe/([^/]+))", [filesDir](const httplib::Request& req, httplib::Response& res) {
        const QString path = servedFile(filesDir, QString::fromStdString(req.matches[1]));
        QFile f(path);
        if (path.isEmpty() || f.size() > kMaxServedFile || !f.open(QIODevice::ReadOnly)) {
            res.status = 404;
            res.set_content("Bulunamadı", "text/plain; charset=utf-8");
            return;
        }
        res.set_content(f.readAll().toStdString(), "application/octet-stream");
    });

    web.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty())
            res.set_content(res.status == 404 ? "Bulunamadı" : "Hata", "text/plain; charset=utf-8");
    });
}

} // namespace vk::server
