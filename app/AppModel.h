#pragma once

#include "app/SystemClipboard.h"
#include "kit/restore/ClipboardRestore.h"
#include "app/ModelChoice.h"
#include "app/RestoreSession.h"
#include "app/SwapSession.h"
#include "store/KeyStore.h"
#include "kit/keys/KeyFile.h"
#include "kit/keys/ProjectKey.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QUuid>

#include <exception>
#include <functional>
#include <optional>

namespace quorvane {

class Panels;

// The application-wide state every window, sheet and the menu-bar panel read,
// and the user's key actions. Lives on the main thread; every field change is
// signalled. Failures never escape an action: they become the `problem`.
class AppModel : public QObject
{
    Q_OBJECT

public:
    enum class Tab { swap, restore };

    // A key open in memory with the file secret that opened it, so changes
    // can be sealed again without asking.
    struct OpenKey
    {
        ProjectKey key;
        QByteArray secret;
    };

    // The one sheet shown at a time.
    struct Sheet
    {
        enum class Kind { exportKey, rename, newKey };
        Kind kind = Kind::newKey;
        QUuid id;

        static Sheet exportKey(const QUuid &id) { return {Kind::exportKey, id}; }
        static Sheet rename(const QUuid &id) { return {Kind::rename, id}; }
        static Sheet newKey() { return {Kind::newKey, {}}; }
        // "export-<UUID>", "rename-<UUID>" or "newKey".
        QString identity() const;
        friend bool operator==(const Sheet &, const Sheet &) = default;
    };

    // An alert: a short title and a finished sentence. Each has a fresh id,
    // so the same problem twice in a row is shown twice.
    struct Problem
    {
        QUuid id;
        QString title;
        QString message;
    };

    static inline const QString lastKeySetting = QStringLiteral("lastKey");
    static inline const QString untitledName = QStringLiteral("Untitled Key");

    // rounds: the PBKDF2 rounds for passphrases set here (new keys, exports).
    AppModel(KeyStore &store, Panels &panels, int rounds = KeyFile::defaultRounds, QObject *parent = nullptr);
    ~AppModel() override;

    // Lists the stored keys and selects the remembered one, or the oldest.
    void start();

    const QList<KeyFile> &keys() const { return m_keys; }
    const std::optional<QUuid> &selection() const { return m_selection; }
    const QHash<QUuid, OpenKey> &opened() const { return m_opened; }
    Tab tab() const { return m_tab; }
    const std::optional<Sheet> &sheet() const { return m_sheet; }
    const std::optional<Problem> &problem() const { return m_problem; }
    const std::optional<KeyFile> &keyToDelete() const { return m_keyToDelete; }
    bool unlocking() const { return m_unlocking; }
    const std::optional<QString> &menuBarMessage() const { return m_menuBarMessage; }
    SwapSession &swap() { return m_swap; }
    RestoreSession &restore() { return m_restore; }
    KeyStore &store() const { return m_store; }
    Panels &panels() const { return m_panels; }
    ModelChoice &models() { return m_models; }
    // The clipboard the sessions copy to; the system's unless a test sets one.
    void setClipboard(Clipboard &clipboard);
    // The tray panel's and the hot key's action: the clipboard's text restored
    // with the selected key, if it is open. The outcome's message is kept for
    // the panel; the clipboard is written only when something was restored.
    ClipboardRestore::Outcome restoreClipboard();

    std::optional<KeyFile> selectedFile() const;
    const OpenKey *openKey() const;
    std::optional<KeyFile> file(const QUuid &id) const;

    void select(const std::optional<QUuid> &id);
    void setTab(Tab tab);
    void setSheet(const std::optional<Sheet> &sheet);
    void showProblem(const QString &title, const QString &message);
    void dismissProblem();
    void setMenuBarMessage(const std::optional<QString> &message);

    // Tries a passphrase on a background thread; `done` gets the answer on the
    // main thread. A wrong passphrase is no problem: the unlock view says so.
    void unlock(const KeyFile &file, const QString &passphrase, std::function<void(bool)> done = {});
    void lock(const QUuid &id);
    void lockAll();
    // Protected by the OS secret store without a passphrase. With one (checked
    // against the passphrase rules), the derivation runs in the background
    // and the key appears when it is done.
    void makeKey(const QString &name, const std::optional<QString> &passphrase);
    // Seals a changed key under its own protection and writes it at once.
    // Throws Failure; callers show it under their own title.
    void save(const ProjectKey &key);
    void rename(const QUuid &id, const QString &name);
    // A passphrase key goes out as it is; a store-protected key first needs a
    // passphrase from the export sheet, then export(id, passphrase).
    void exportKey(const QUuid &id);
    void exportKey(const QUuid &id, const QString &passphrase);
    void importKey();
    // Deleting asks first: the view confirms keyToDelete, then calls deleteKey.
    void askToDelete(const KeyFile &file);
    void cancelDelete();
    void deleteKey(const KeyFile &file);

    // The texts of the delete confirmation.
    static QString deleteQuestion(const KeyFile &file);
    static QString deleteWarning();

Q_SIGNALS:
    void keysChanged();
    void selectionChanged();
    void openedChanged();
    void tabChanged();
    void sheetChanged();
    void problemChanged();
    void keyToDeleteChanged();
    void unlockingChanged();
    void menuBarMessageChanged();
    void unlocked(const QUuid &id, bool success);

private:
    // Runs work on the pool and hands its result, or the exception it threw,
    // to then() on the main thread.
    template<class Result>
    void inBackground(std::function<Result()> work,
                      std::function<void(std::optional<Result>, std::exception_ptr)> then);

    void reloadKeys();
    void resetSessions();
    void setUnlocking(bool starting);
    void addOpenKey(const ProjectKey &key, const QByteArray &secret);
    void openFromSecretStore(const KeyFile &file);
    void finishMakingKey(const KeyFile &file, const ProjectKey &key, const QByteArray &secret);
    void writeExport(const KeyFile &file);
    void showFailure(const QString &title, std::exception_ptr error);

    KeyStore &m_store;
    Panels &m_panels;
    int m_rounds;
    QList<KeyFile> m_keys;
    std::optional<QUuid> m_selection;
    QHash<QUuid, OpenKey> m_opened;
    Tab m_tab = Tab::swap;
    std::optional<Sheet> m_sheet;
    std::optional<Problem> m_problem;
    std::optional<KeyFile> m_keyToDelete;
    bool m_unlocking = false;
    int m_pendingUnlocks = 0;
    std::optional<QString> m_menuBarMessage;
    SystemClipboard m_systemClipboard;
    Clipboard *m_clipboard = &m_systemClipboard;
    ModelChoice m_models;
    SwapSession m_swap{*this};
    RestoreSession m_restore{*this};
    QThreadPool m_pool;
};

} // namespace quorvane
