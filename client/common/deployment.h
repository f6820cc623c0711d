#pragma once

// Where this installation finds the distributor: the application server, the web host (pictures,
// request form, installer), the public IP echo, the distributor's web site and payment page.
// Built-in defaults, which "ip.txt" beside the program can override:
//
//   b2b.example.com:9090          the application server: host or host:port (the first plain line)
//   web=b2b.example.com:8080      the web host: host or host:port (default: the server's host)
//   ipecho=http://b2b.example.com:8080/ip   the public IP echo (default: the web host's /ip)
//   update=https://guncelleme.example.com   where /exe/VelkorB2BSetup.exe is fetched (default: the
//   web host)
//
// Blank lines and lines starting with "#" are ignored.

#include <QString>

namespace vk {

struct Deployment {
    QString serverHost;
    int serverPort = 9090;
    QString webHost; // "host" or "host:port"
    QString ipEchoUrl;
    QString updateBaseUrl; // scheme and host of the installer's address
    QString webSiteUrl;    // the distributor's home page
    QString paymentHost;   // host of the card-payment page (always HTTPS)

    QString pictureUrlPrefix() const; // "http://<web host>/resimgoster.ashx?id="
    QString installerUrl() const;     // "<update>/exe/VelkorB2BSetup.exe"
    QString requestFormUrl(const QString& machineId) const;

    static Deployment builtIn();
};

// Applies the overrides of an ip.txt text to a deployment; lines it cannot read are skipped.
Deployment applyIpTxt(const QString& content, Deployment base);

// The deployment in force: the built-in one with "ip.txt" beside the program applied, read once.
const Deployment& deployment();
void setDeployment(const Deployment& d); // for tests and for reloading

} // namespace vk
