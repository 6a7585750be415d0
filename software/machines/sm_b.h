#pragma once

#include "device/product.h"
#include "dfu/device_info.h"
#include "machines/sm_a.h"

#include <QState>
#include <QStateMachine>

// Turns the worker's events into what the window offers; lives in the GUI thread.
class SM_B : public QStateMachine {
    Q_OBJECT

public:
    SM_B(SM_A* sm_a, Device::Type desired_id, QString desired_revision);

    void add_connections();
    void enable_debug_output();

    QState* B1;
    QState* B2;
    QState* B3;
    QState* B4;
    QState* B6;
    QState* B7;
    QState* B8;
    QState* B9;
    QState* B10;

    DFU::DeviceInfo device_info;
    QString device_serial; // of the unit device_info was read from
    SM_A* sm_a;

    // What this machine upgrades to: a unit is judged against it.
    const Device::Type desired_ID;
    const QString desired_revision;

signals:
    void sig_UpgradeImpossible();
    void sig_UpgradePossible();
    void sig_DifferingRevision();
    void sig_DoDownload();
    void sig_UploadingVerifying();
    void sig_FwMatches();
    void sig_FwDiffers();
    void sig_DeviceConnected();
    void sig_InvalidProduct();

public slots:
    void do_download();

private:
    // The guards of B1's ways out. guard_empty_OTP is always asked first about a sig_DevConn
    // and takes the snapshot, so that the guards and B1's exit handler see the same reading
    // of the unit even if the worker moves on.
    bool guard_empty_OTP();
    bool guard_other_product();
    bool guard_other_revision();
    bool guard_same_revision();
    void print_guard_line() const;

    SM_A::Snapshot judged;
};

