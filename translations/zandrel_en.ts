<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>HttpExchange</name>
    <message numerus="yes">
        <source>The Hub at %1 did not answer within %2 second(s)</source>
        <translation>
            <numerusform>The Hub at %1 did not answer within %2 second</numerusform>
            <numerusform>The Hub at %1 did not answer within %2 seconds</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UpdateNotification</name>
    <message numerus="yes">
        <source>%1, %2 and %n more can be updated</source>
        <translation>
            <numerusform>%1, %2 and %n more can be updated</numerusform>
            <numerusform>%1, %2 and %n more can be updated</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::AuditLogPanel</name>
    <message numerus="yes">
        <source>%1 of %n entries</source>
        <translation>
            <numerusform>%1 of %n entry</numerusform>
            <numerusform>%1 of %n entries</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::HubLogFilterModel</name>
    <message numerus="yes">
        <source>%1 of %Ln line(s)</source>
        <translation>
            <numerusform>%1 of %Ln line</numerusform>
            <numerusform>%1 of %Ln lines</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::HubLogWindow</name>
    <message numerus="yes">
        <source>Paused — %n new line(s)</source>
        <translation>
            <numerusform>Paused — %n new line</numerusform>
            <numerusform>Paused — %n new lines</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::ProviderCard</name>
    <message numerus="yes">
        <source>%n model(s) available</source>
        <translation>
            <numerusform>%n model available</numerusform>
            <numerusform>%n models available</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::Sidebar</name>
    <message numerus="yes">
        <source>Updates, %n available</source>
        <translation>
            <numerusform>Updates, %n available</numerusform>
            <numerusform>Updates, %n available</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::StatusBar</name>
    <message numerus="yes">
        <source>%n app(s)</source>
        <translation>
            <numerusform>%n app</numerusform>
            <numerusform>%n apps</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::TrayIcon</name>
    <message numerus="yes">
        <source>%n update(s) available</source>
        <translation>
            <numerusform>%n update available</numerusform>
            <numerusform>%n updates available</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UpdatesView</name>
    <message numerus="yes">
        <source>%n update(s) available</source>
        <translation>
            <numerusform>%n update available</numerusform>
            <numerusform>%n updates available</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UsageBar</name>
    <message numerus="yes">
        <source>%1 in, %2 out, %3 request(s)</source>
        <translation>
            <numerusform>%1 in, %2 out, %3 request</numerusform>
            <numerusform>%1 in, %2 out, %3 requests</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UsageCard</name>
    <message numerus="yes">
        <source>%1 request(s)</source>
        <translation>
            <numerusform>%1 request</numerusform>
            <numerusform>%1 requests</numerusform>
        </translation>
    </message>
</context>
</TS>