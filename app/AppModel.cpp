#include "app/AppModel.h"

#include "app/Background.h"
#include "app/Panels.h"
#include "store/AtomicFile.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

const QString keyFileFilter = KeyFile::fileExtension;

QString cleanName(const QString &name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? AppModel::untitledName : trimmed;
}

} // namespace

QString AppModel::Sheet::identity() const
{
    switch (kind) {
    case Kind::exportKey:
        return u"export-"_s % SecretStore::idText(id);
    case Kind::rename:
        return u"rename-"_s % SecretStore::idText(id);
    case Kind::newKey:
        break;
    }
    return u"newKey"_s;
}

AppModel::AppModel(KeyStore &store, Panels &panels, int rounds, QObject *parent)
    : QObject(parent), m_store(store), m_panels(panels), m_rounds(rounds)
{
    m_swap.setClipboard(m_systemClipboard);
    m_swap.setModelChoice(m_models);
}

void AppModel::setClipboard(Clipboard &clipboard)
{
    m_clipboard = &clipboard;
    m_swap.setClipboard(clipboard);
}

ClipboardRestore::Outcome AppModel::restoreClipboard()
{
    const OpenKey *open = openKey();
    const ClipboardRestore::Outcome outcome = ClipboardRestore::restore(m_clipboard->text(), open ? &open->key : nullptr);
    if (outcome.kind == ClipboardRestore::Outcome::Kind::restored)
        m_clipboard->setText(outcome.text);
    setMenuBarMessage(outcome.message(open ? open->key.name() : QString()));
    return outcome;
}

AppModel::~AppModel()
{
    // Background results are posted to this object; none may arrive later.
    m_pool.waitForDone();
}

template<class Result>
void AppModel::inBackground(std::function<Result()> work,
                            std::function<void(std::optional<Result>, std::exception_ptr)> then)
{
    quorvane::inBackground<Result>(m_pool, this, std::move(work), std::move(then));
}

void AppModel::start()
{
    reloadKeys();
    const QString remembered = QSettings().value(lastKeySetting).toString();
    const QUuid rememberedId(remembered);
    if (!rememberedId.isNull() && file(rememberedId))
        select(rememberedId);
    else if (!m_keys.isEmpty())
        select(m_keys.constFirst().id());
    else
        select(std::nullopt);
}

std::optional<KeyFile> AppModel::file(const QUuid &id) const
{
    for (const KeyFile &candidate : m_keys) {
        if (candidate.id() == id)
            return candidate;
    }
    return std::nullopt;
}

std::optional<KeyFile> AppModel::selectedFile() const
{
    return m_selection ? file(*m_selection) : std::nullopt;
}

const AppModel::OpenKey *AppModel::openKey() const
{
    if (!m_selection)
        return nullptr;
    const auto found = m_opened.constFind(*m_selection);
    return found == m_opened.constEnd() ? nullptr : &*found;
}

void AppModel::select(const std::optional<QUuid> &id)
{
    if (id == m_selection)
        return;
    m_selection = id;
    QSettings settings;
    if (id)
        settings.setValue(lastKeySetting, SecretStore::idText(*id));
    else
        settings.remove(lastKeySetting);
    Q_EMIT selectionChanged();
    resetSessions();
    if (!id || m_opened.contains(*id))
        return;
    if (const std::optional<KeyFile> selected = file(*id); selected && !selected->protection().isPassphrase())
        openFromSecretStore(*selected);
}

void AppModel::setTab(Tab tab)
{
    if (tab == m_tab)
        return;
    m_tab = tab;
    Q_EMIT tabChanged();
}

void AppModel::setSheet(const std::optional<Sheet> &sheet)
{
    if (sheet == m_sheet)
        return;
    m_sheet = sheet;
    Q_EMIT sheetChanged();
}

void AppModel::showProblem(const QString &title, const QString &message)
{
    m_problem = Problem{QUuid::createUuid(), title, message};
    Q_EMIT problemChanged();
}

void AppModel::dismissProblem()
{
    if (!m_problem)
        return;
    m_problem.reset();
    Q_EMIT problemChanged();
}

void AppModel::setMenuBarMessage(const std::optional<QString> &message)
{
    if (message == m_menuBarMessage)
        return;
    m_menuBarMessage = message;
    Q_EMIT menuBarMessageChanged();
}

void AppModel::showFailure(const QString &title, std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Failure &failure) {
        showProblem(title, failure.message());
    } catch (const std::exception &other) {
        showProblem(title, QString::fromUtf8(other.what()));
    }
}

void AppModel::reloadKeys()
{
    m_keys = m_store.list();
    Q_EMIT keysChanged();
}

void AppModel::resetSessions()
{
    m_swap.startOver();
    m_restore.reset();
}

void AppModel::setUnlocking(bool starting)
{
    // Tries may overlap; unlocking lasts until the last one has answered.
    m_pendingUnlocks += starting ? 1 : -1;
    const bool unlocking = m_pendingUnlocks > 0;
    if (unlocking == m_unlocking)
        return;
    m_unlocking = unlocking;
    Q_EMIT unlockingChanged();
}

void AppModel::addOpenKey(const ProjectKey &key, const QByteArray &secret)
{
    m_opened.insert(key.id(), OpenKey{key, secret});
    Q_EMIT openedChanged();
}

void AppModel::openFromSecretStore(const KeyFile &file)
{
    try {
        const QByteArray secret = m_store.requiredSecret(file.id());
        addOpenKey(file.open(secret), secret);
    } catch (const KeyStore::Refusal &refusal) {
        showProblem(refusal.title(), refusal.detail());
    } catch (const Failure &failure) {
        showProblem(u"The key couldn’t be opened"_s, failure.message());
    }
}

void AppModel::unlock(const KeyFile &file, const QString &passphrase, std::function<void(bool)> done)
{
    if (!done)
        done = [](bool) {};
    if (!file.protection().isPassphrase()) {
        done(false);
        return;
    }
    setUnlocking(true);
    using Opened = std::pair<ProjectKey, QByteArray>;
    inBackground<Opened>(
        [file, passphrase] {
            const QByteArray secret =
                KeyFile::deriveSecret(passphrase, file.protection().salt, file.protection().rounds);
            return Opened{file.open(secret), secret};
        },
        [this, id = file.id(), done](std::optional<Opened> opened, std::exception_ptr) {
            setUnlocking(false);
            if (opened)
                addOpenKey(opened->first, opened->second);
            Q_EMIT unlocked(id, opened.has_value());
            done(opened.has_value());
        });
}

void AppModel::lock(const QUuid &id)
{
    if (!m_opened.remove(id))
        return;
    Q_EMIT openedChanged();
    if (id == m_selection)
        resetSessions();
}

void AppModel::lockAll()
{
    if (m_opened.isEmpty())
        return;
    m_opened.clear();
    Q_EMIT openedChanged();
    resetSessions();
}

void AppModel::makeKey(const QString &name, const std::optional<QString> &passphrase)
{
    const ProjectKey key(cleanName(name));
    const QString title = u"The key couldn’t be made"_s;
    if (!passphrase) {
        try {
            const QByteArray secret = KeyFile::newSecret();
            m_store.storeSecret(secret, key.id(), key.name());
            finishMakingKey(KeyFile::seal(key, KeyFile::Protection::keychain(), secret), key, secret);
        } catch (...) {
            showFailure(title, std::current_exception());
        }
        return;
    }
    if (const std::optional<QString> weak = KeyFile::passphraseProblem(*passphrase)) {
        showProblem(title, *weak);
        return;
    }
    using Sealed = std::pair<KeyFile, QByteArray>;
    inBackground<Sealed>(
        [key, passphrase = *passphrase, rounds = m_rounds] {
            const QByteArray salt = KeyFile::newSalt();
            const QByteArray secret = KeyFile::deriveSecret(passphrase, salt, rounds);
            return Sealed{KeyFile::seal(key, KeyFile::Protection::passphrase(salt, rounds), secret), secret};
        },
        [this, key, title](std::optional<Sealed> sealed, std::exception_ptr error) {
            try {
                if (error)
                    std::rethrow_exception(error);
                finishMakingKey(sealed->first, key, sealed->second);
            } catch (...) {
                showFailure(title, std::current_exception());
            }
        });
}

void AppModel::finishMakingKey(const KeyFile &file, const ProjectKey &key, const QByteArray &secret)
{
    m_store.save(file);
    addOpenKey(key, secret);
    reloadKeys();
    select(key.id());
    resetSessions();
    setSheet(std::nullopt);
}

void AppModel::save(const ProjectKey &key)
{
    const std::optional<KeyFile> stored = file(key.id());
    const auto open = m_opened.constFind(key.id());
    if (!stored || open == m_opened.constEnd())
        throw Failure(u"This key is no longer among your keys."_s);
    const QByteArray secret = open->secret;
    const KeyFile sealed = KeyFile::seal(key, stored->protection(), secret);
    m_store.save(sealed);
    for (KeyFile &listed : m_keys) {
        if (listed.id() == key.id())
            listed = sealed;
    }
    m_opened.insert(key.id(), OpenKey{key, secret});
    Q_EMIT keysChanged();
    Q_EMIT openedChanged();
}

void AppModel::rename(const QUuid &id, const QString &name)
{
    const auto open = m_opened.constFind(id);
    if (open == m_opened.constEnd())
        return;
    ProjectKey renamed = open->key;
    renamed.setName(cleanName(name));
    try {
        save(renamed);
        setSheet(std::nullopt);
    } catch (...) {
        showFailure(u"The key couldn’t be renamed"_s, std::current_exception());
    }
}

void AppModel::exportKey(const QUuid &id)
{
    const std::optional<KeyFile> stored = file(id);
    if (!stored)
        return;
    if (stored->protection().isPassphrase())
        writeExport(*stored);
    else
        setSheet(Sheet::exportKey(id));
}

void AppModel::exportKey(const QUuid &id, const QString &passphrase)
{
    if (!m_opened.contains(id)) {
        if (const std::optional<KeyFile> stored = file(id))
            openFromSecretStore(*stored);
    }
    const auto open = m_opened.constFind(id);
    if (open == m_opened.constEnd())
        return;
    if (const std::optional<QString> weak = KeyFile::passphraseProblem(passphrase)) {
        showProblem(u"The key couldn’t be exported"_s, *weak);
        return;
    }
    inBackground<KeyFile>(
        [key = open->key, passphrase, rounds = m_rounds] {
            const QByteArray salt = KeyFile::newSalt();
            const QByteArray secret = KeyFile::deriveSecret(passphrase, salt, rounds);
            return KeyFile::seal(key, KeyFile::Protection::passphrase(salt, rounds), secret);
        },
        [this](std::optional<KeyFile> sealed, std::exception_ptr error) {
            setSheet(std::nullopt);
            if (error)
                showFailure(u"The key couldn’t be exported"_s, error);
            else
                writeExport(*sealed);
        });
}

void AppModel::writeExport(const KeyFile &file)
{
    const std::optional<QString> path = m_panels.chooseSaveLocation(
        file.name() % u'.' % KeyFile::fileExtension, keyFileFilter,
        u"Keep this file somewhere safe. With its passphrase it restores files swapped with this key."_s);
    if (!path)
        return;
    try {
        writeAtomically(*path, file.data());
    } catch (...) {
        showFailure(u"The key couldn’t be exported"_s, std::current_exception());
    }
}

void AppModel::importKey()
{
    const std::optional<QString> path =
        m_panels.chooseFileToOpen({keyFileFilter}, u"Choose an exported Quorvane key."_s);
    if (!path)
        return;
    try {
        const KeyFile imported = m_store.importFile(*path, u"choose Export…"_s);
        reloadKeys();
        select(imported.id());
    } catch (const KeyStore::Refusal &refusal) {
        showProblem(refusal.title(), refusal.detail());
    } catch (...) {
        showFailure(u"The key couldn’t be imported"_s, std::current_exception());
    }
}

void AppModel::askToDelete(const KeyFile &file)
{
    m_keyToDelete = file;
    Q_EMIT keyToDeleteChanged();
}

void AppModel::cancelDelete()
{
    if (!m_keyToDelete)
        return;
    m_keyToDelete.reset();
    Q_EMIT keyToDeleteChanged();
}

void AppModel::deleteKey(const KeyFile &file)
{
    const QUuid id = file.id();
    m_store.deleteKey(id);
    cancelDelete();
    if (m_opened.remove(id))
        Q_EMIT openedChanged();
    reloadKeys();
    if (id != m_selection)
        return;
    if (m_keys.isEmpty())
        select(std::nullopt);
    else
        select(m_keys.constFirst().id());
}

QString AppModel::deleteQuestion(const KeyFile &file)
{
    return u"Delete the key “"_s % file.name() % u"”?"_s;
}

QString AppModel::deleteWarning()
{
    return u"Files swapped with this key can’t be restored without it. Export a copy first if you might need it."_s;
}

} // namespace quorvane
