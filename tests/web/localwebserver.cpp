#include "localwebserver.h"

#include <QTcpSocket>

LocalWebServer::LocalWebServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    });
    m_server.listen(QHostAddress::LocalHost);
}

void LocalWebServer::addPage(const QString &path, const QString &title, bool slow)
{
    m_titles.insert(path, title);
    if (slow)
        m_slow.insert(path);
}

QString LocalWebServer::address(const QString &path, bool withScheme) const
{
    const QString host = u"127.0.0.1:" + QString::number(m_server.serverPort()) + path;
    return withScheme ? u"http://" + host : host;
}

void LocalWebServer::readRequest(QTcpSocket *socket)
{
    // The request line is enough: "GET /path HTTP/1.1".
    if (!socket->canReadLine())
        return;
    const QList<QByteArray> requestLine = socket->readLine().split(' ');
    socket->disconnect(this);
    const QString path = QString::fromUtf8(requestLine.value(1));
    m_requests.append(path);
    if (m_slow.contains(path))
        m_held.append({socket, path});
    else
        answer(socket, path);
}

void LocalWebServer::release()
{
    const auto held = std::exchange(m_held, {});
    for (const auto &[socket, path] : held) {
        if (socket)
            answer(socket, path);
    }
}

void LocalWebServer::answer(QTcpSocket *socket, const QString &path)
{
    const bool found = m_titles.contains(path);
    const QString title = found ? m_titles.value(path) : QStringLiteral("Not found");
    const QByteArray body = (u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title
                             + u"</title></head><body><p>" + title + u"</p></body></html>")
                                .toUtf8();
    QByteArray response = found ? QByteArrayLiteral("HTTP/1.1 200 OK\r\n") : QByteArrayLiteral("HTTP/1.1 404 Not Found\r\n");
    response += "Content-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\nConnection: close\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    socket->write(response);
    socket->disconnectFromHost();
}
