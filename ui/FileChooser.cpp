// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileChooser.h"

#include "ui/Cp1252Text.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>

namespace ui {

namespace {

QString platformPattern(const std::string& pattern) {
    return pattern == "*.*" ? QStringLiteral("*") : QString::fromStdString(pattern);
}

// The label without a trailing "(patterns)" part, which is rebuilt from the patterns themselves.
QString bareLabel(const QString& label) {
    const qsizetype open = label.lastIndexOf('(');
    if (open > 0 && label.trimmed().endsWith(')')) {
        return label.left(open).trimmed();
    }
    return label.trimmed();
}

} // namespace

QString FileChooser::extensionOf(const FileChoice& choice) {
    QString extension = QString::fromStdString(choice.defaultExtension);
    if (extension.startsWith('.')) {
        extension.remove(0, 1);
    }
    return extension;
}

QStringList FileChooser::nameFilters(const std::vector<FileFilter>& filters) {
    QStringList result;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) {
            patterns << platformPattern(pattern);
        }
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        result << QStringLiteral("%1 (%2)").arg(bareLabel(fromCp1252(filter.label)), patterns.join(' '));
    }
    return result;
}

QString FileChooser::withDefaultExtension(const QString& path, const QString& extension) {
    if (extension.isEmpty() || path.isEmpty()) {
        return path;
    }
    const QString fileName = path.mid(path.lastIndexOf('/') + 1);
    if (fileName.isEmpty() || fileName.contains('.')) {
        return path;
    }
    return path + '.' + extension;
}

std::optional<QString> FileChooser::choose(const FileChoice& choice, Purpose purpose, QWidget* parent) {
    QFileDialog dialog(parent, fromCp1252(choice.title));
    dialog.setAcceptMode(purpose == Purpose::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.confirmOverwrite);
    const QStringList filters = nameFilters(choice.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.setDefaultSuffix(extensionOf(choice));
    if (!choice.startFolder.empty()) {
        dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(choice.startFolder)));
    }
    if (!choice.proposedName.empty()) {
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(choice.proposedName)));
    }
    QCheckBox* checkBox = nullptr;
    if (choice.checkBoxState) {
        // Only the dialog drawn by the toolkit itself can hold an extra control.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        checkBox = new QCheckBox(fromCp1252(choice.checkBoxLabel), &dialog);
        checkBox->setChecked(*choice.checkBoxState);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            grid->addWidget(checkBox, grid->rowCount(), 0, 1, grid->columnCount());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    if (checkBox != nullptr) {
        *choice.checkBoxState = checkBox->isChecked();
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace ui
