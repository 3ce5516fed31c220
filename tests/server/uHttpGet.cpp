// SPDX-License-Identifier: GPL-3.0-or-later
#include "uHttpGet.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

tHttpReply HttpGet(const QByteArray& address) {
    static QNetworkAccessManager manager;
    QNetworkRequest request(QUrl::fromEncoded(address, QUrl::StrictMode));
    request.setTransferTimeout(30000);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    tHttpReply result;
    result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.Body = reply->readAll();
    reply->deleteLater();
    return result;
}
