#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QTcpServer>

class QTcpSocket;

// A tiny web server on 127.0.0.1 for the tests, which reach no other
// network. Each page has a path and a title; a page marked slow gets no
// answer until release() is called.
class LocalWebServer : public QObject
{
    Q_OBJECT
public:
    LocalWebServer();

    bool isListening() const { return m_server.isListening(); }
    void addPage(const QString &path, const QString &title, bool slow = false);
    // The address of a page, with or without "http://" before it.
    QString address(const QString &path, bool withScheme = true) const;

    // The paths asked for so far, oldest first.
    QList<QString> requests() const { return m_requests; }
    void release();

private:
    void answer(QTcpSocket *socket, const QString &path);
    void readRequest(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QString, QString> m_titles;
    QSet<QString> m_slow;
    QList<QString> m_requests;
    QList<std::pair<QPointer<QTcpSocket>, QString>> m_held;
};
