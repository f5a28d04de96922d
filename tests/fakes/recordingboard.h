#pragma once

#include "boardcontrols.h"
#include "runtimeerror.h"

#include <QString>
#include <QStringList>

#include <array>

// A board made of six tick values and one score text. It logs every access in order
// ("Check3.Value", "Text2.Text", "Text2.Text=7") and can make the n-th access (counted from 1)
// fail with an automation error.
class RecordingBoard : public board::BoardControls {
public:
    std::array<qint16, 6> ticks{};
    QString score = QStringLiteral("0");
    QStringList log;
    QStringList scoreWrites;
    int failAt = 0; // 0: no access fails

    static RecordingBoard withTicks(std::initializer_list<int> groups)
    {
        RecordingBoard board;
        for (int k : groups)
            board.ticks[k - 1] = 1;
        return board;
    }

    QString name() const override { return QStringLiteral("Form1"); }

    rt::Access<qint16> checkValue(int k) override
    {
        if (const auto failure = record(QStringLiteral("Check%1.Value").arg(k)); failure.failed())
            return {0, failure};
        return {ticks[k - 1], {}};
    }

    rt::Access<QString> scoreText() override
    {
        if (const auto failure = record(QStringLiteral("Text2.Text")); failure.failed())
            return {{}, failure};
        return {score, {}};
    }

    rt::AccessStatus setScoreText(const QString &text) override
    {
        if (const auto failure = record(QStringLiteral("Text2.Text=") + text); failure.failed())
            return failure;
        score = text;
        scoreWrites.append(text);
        return {};
    }

private:
    rt::AccessStatus record(const QString &access)
    {
        log.append(access);
        if (log.size() == failAt)
            return rt::AccessStatus::failure(rt::RuntimeError::AutomationError,
                                             QStringLiteral("Automation error"));
        return {};
    }
};
