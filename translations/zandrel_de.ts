<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AISettingsState</name>
    <message>
        <source>No pending OAuth flow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OAuth failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AuditExport</name>
    <message>
        <source>Allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denied</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DecodeError</name>
    <message>
        <source>Unexpected answer from the Hub: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Error</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Formats</name>
    <message>
        <source>Free</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HttpExchange</name>
    <message>
        <source>Could not reach the Hub at %1: connection refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Hub at %1 closed the connection before answering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not reach the Hub at %1: host not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not reach the Hub at %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The application is quitting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Hub at %1 sent an answer larger than %2 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The Hub at %1 did not answer within %2 second(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HubAPIClient</name>
    <message>
        <source>The Hub&apos;s answer to the change was not an HTTP response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Hub did not confirm the change (HTTP status %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid app name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Hub port is not valid</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JsonCodec</name>
    <message>
        <source>expected an integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON (%1 at offset %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected a boolean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected an array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>expected an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoreError</name>
    <message>
        <source>API error %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoreGridView</name>
    <message>
        <source>Apps</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StrictJson</name>
    <message>
        <source>the answer is empty, expected JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: the text is not valid UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: a string holds a control character that must be escaped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: a string is not closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: a string holds an invalid escape or a lone surrogate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: a number is not written as JSON allows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: an unknown word stands where a value belongs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: arrays and objects are nested more than 1024 deep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: a value, comma, colon or bracket is missing or out of place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the document is too large to read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: it starts with a byte-order mark</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::AISettingsTab</name>
    <message>
        <source>Providers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Provider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No providers configured. Add one to get started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No models available — configure a provider first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Per-App Overrides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fallback Chain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If the primary provider fails, try the next in order.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fallback order; Alt+Up and Alt+Down move a provider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage &amp; Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No usage data yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Per-App Breakdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tokens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::AboutDialog</name>
    <message>
        <source>About Zandrel Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop window onto your local Zandrel Hub: its companion apps, the Zandrel Store, AI providers and each app&apos;s permissions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Licences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIT License</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tabler Icons (the bundled symbols)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNU LGPL version 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apache License 2.0</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::AccountView</name>
    <message>
        <source>Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in to access the Zandrel Store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Or sign in with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign Out</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::AuditLogModel</name>
    <message>
        <source>Allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Endpoint: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::AuditLogPanel</name>
    <message>
        <source>Export Audit Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search app, action or detail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No entries match the filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search the audit log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the Hub for a longer log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the entries shown as a CSV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not export to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No audit entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n entries</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::AuditLogView</name>
    <message>
        <source>Recent audit log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::CategoryPill</name>
    <message>
        <source>Selected category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::ContentView</name>
    <message>
        <source>About Zandrel Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::FallbackChainModel</name>
    <message>
        <source>%1. %2, %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::HubSettingsTab</name>
    <message>
        <source>This desktop has no system tray, so closing the window quits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Hub on login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hub Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in the file manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the data folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::HubState</name>
    <message>
        <source>Port %1 is outside 1–65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port %1 answers, but not as the Hub (HTTP %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port %1 is used by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No answer after Start; see ~/%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No answer after Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The zandrel command is not on PATH</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::InstalledAppCard</name>
    <message>
        <source>Installed app; Return opens it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::InstalledAppDetail</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::InstalledAppsGrid</name>
    <message>
        <source>No Apps Installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse the Store to find and install apps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Apps</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::MainWindow</name>
    <message>
        <source>H&amp;ub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find in Store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Zandrel Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Hub</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::OAuthButton</name>
    <message>
        <source>Sign in with %1 in your web browser</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::PermissionsTab</name>
    <message>
        <source>read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No permission data available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App Permissions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent Audit Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh permissions and audit log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::ProviderCard</name>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No API Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Tested</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Or enter an API key manually</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove provider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available Models</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token refreshes automatically.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the code from your browser:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste token here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Submit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign in with Claude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use your existing Claude Pro or Max subscription.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Claude user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>API Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>API key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste from clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide key</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n model(s) available</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::SettingsView</name>
    <message>
        <source>Settings sections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::Sidebar</name>
    <message>
        <source>Sections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show all installed apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No apps installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::StatusBar</name>
    <message>
        <source>Stop the Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start the Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hub Running on :%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hub Stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n app(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::StoreAppDetailSheet</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>v%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requirements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>macOS %1+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hub %1+</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permissions: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::StoreAppListModel</name>
    <message>
        <source>by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rated %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloads: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::StoreService</name>
    <message>
        <source>&quot;%1&quot; is not a valid store address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid app identifier: only letters, digits, &quot;-&quot;, &quot;_&quot; and &quot;.&quot; are allowed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::StoreView</name>
    <message>
        <source>Store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading apps…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Apps Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try a different search or category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Store Unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search apps…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search apps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::TrayIcon</name>
    <message>
        <source>Open Zandrel Hub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::UninstallDialog</name>
    <message>
        <source>Uninstall (keep data)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall &amp;&amp; delete data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleting app data removes conversations, settings, and all local data for %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::UpdateListModel</name>
    <message>
        <source>Updated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return updates it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, version %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::UpdateRow</name>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::UpdatesView</name>
    <message>
        <source>Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Apps Up to Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re running the latest versions of all your apps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Available updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to update %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n update(s) available</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UsageBar</name>
    <message>
        <source>Share of the largest spender</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %; %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 in, %2 out, %3 request(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UsageCard</name>
    <message>
        <source>%1 in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 out</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 request(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::ZandrelHubApp</name>
    <message>
        <source>Could not install %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is ready in My Apps.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::ui::Spinner</name>
    <message>
        <source>In progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::ui::StatusDot</name>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Purple</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gray</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zandrel::ui::ToggleSwitch</name>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
