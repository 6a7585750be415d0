#include "machines/sm_b.h"

#include "files/support_misc.h"
#include "machines/guarded_transition.h"

#include <QDebug>

#include <cstdio>

void SM_B::print_guard_line() const
{
    std::printf("device_has_valid_type(%i): valid %i, device_type: %i\n", static_cast<int>(desired_ID),
                judged.info.valid ? 1 : 0, static_cast<int>(judged.info.type));
    std::fflush(stdout);
}

bool SM_B::guard_empty_OTP()
{
    judged = sm_a ? sm_a->snapshot() : SM_A::Snapshot{};
    return judged.info.OTP_info.blank;
}

bool SM_B::guard_other_product()
{
    if (!judged.info.valid)
        return false;
    print_guard_line();
    return judged.info.type != desired_ID;
}

bool SM_B::guard_other_revision()
{
    print_guard_line();
    return judged.info.valid && judged.info.type == desired_ID && judged.info.FW_revision != desired_revision;
}

bool SM_B::guard_same_revision()
{
    print_guard_line();
    return judged.info.valid && judged.info.type == desired_ID && judged.info.FW_revision == desired_revision;
}

SM_B::SM_B(SM_A* sm_a, Device::Type desired_id, QString desired_revision_)
    : sm_a(sm_a)
    , desired_ID(desired_id)
    , desired_revision(std::move(desired_revision_))
{
    const auto make_state = [this](const char* name) {
        auto* state = new QState(this);
        state->setObjectName(name);
        return state;
    };
    B1 = make_state("B1: No (DFU-SE) dev. conn.");
    B2 = make_state("B2: Conn. to (DFU-SE) dev. with diff. FW rev.");
    B3 = make_state("B3: Upgrading FW");
    B4 = make_state("B4: Uploading and verifying FW");
    B6 = make_state("B6: FW in dev. matches");
    B7 = make_state("B7: FW in dev. differs");
    B8 = make_state("B8: Invalid (DFU-SE) dev. conn.");
    B9 = make_state("B9: Conn. to (DFU-SE) dev. with Empty OTP.");
    // The flash could not be read back: neither verified nor shown to differ, so nothing is
    // offered until the unit is connected again.
    B10 = make_state("B10: FW in dev. not checked");

    // For B1 the order decides: the first transition whose guard agrees is taken.
    const auto guarded = [sm_a](QState* from, GuardedTransition::Guard guard, QState* to) {
        auto* transition = new GuardedTransition(sm_a, &SM_A::sig_DevConn, guard);
        transition->setTargetState(to);
        from->addTransition(transition);
    };
    guarded(B1, [this] { return guard_empty_OTP(); }, B9);
    guarded(B1, [this] { return guard_other_product(); }, B8);
    guarded(B1, [this] { return guard_other_revision(); }, B2);
    guarded(B1, [this] { return guard_same_revision(); }, B4);
    B2->addTransition(this, &SM_B::sig_DoDownload, B3);
    B2->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);
    B3->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);
    B4->addTransition(sm_a, &SM_A::sig_FwUploadedMatches, B6);
    B4->addTransition(sm_a, &SM_A::sig_FwUploadedDiffers, B7);
    B4->addTransition(sm_a, &SM_A::sig_FwCheckNotMade, B10);
    B10->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);
    // A unit that goes away during verification is not verified; whatever comes next is judged anew.
    B4->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);
    B6->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);
    B7->addTransition(this, &SM_B::sig_DoDownload, B3);
    B7->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);
    B8->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);
    // A unit with a blank OTP area is written only by a service build, which also offers it
    // the button; the A key must not get round that.
    auto* blank_download = new GuardedTransition(this, &SM_B::sig_DoDownload, have_service_build);
    blank_download->setTargetState(B3);
    B9->addTransition(blank_download);
    B9->addTransition(sm_a, &SM_A::sig_NoDevConn, B1);

    setInitialState(B1);
    add_connections();
}

void SM_B::do_download()
{
    emit sig_DoDownload();
}

void SM_B::add_connections()
{
    connect(B1, &QState::entered, this, [this] {
        emit sig_UpgradeImpossible();
        device_info = DFU::DeviceInfo();
        device_serial.clear();
        // Nothing set for the unit that has gone may be carried out on the next one.
        sm_a->set_command(SM_A::cmd_none);
    }, Qt::DirectConnection);
    connect(B1, &QState::exited, this, [this] {
        device_info = judged.info;
        device_serial = judged.serial;
        sm_a->evaluated(judged.connection);
        qInfo().noquote() << "Device connected with:\n" + QString(device_info);
        emit sig_DeviceConnected();
    }, Qt::DirectConnection);
    connect(B2, &QState::entered, this, [this] {
        emit sig_UpgradePossible();
        emit sig_DifferingRevision();
    }, Qt::DirectConnection);
    connect(B9, &QState::entered, this, [this] {
        if (have_service_build())
            emit sig_UpgradePossible();
        else
            emit sig_UpgradeImpossible();
        emit sig_DifferingRevision();
    }, Qt::DirectConnection);
    connect(B3, &QState::entered, this, [this] { sm_a->set_command(SM_A::cmd_download); }, Qt::DirectConnection);
    connect(B4, &QState::entered, this, [this] {
        emit sig_UploadingVerifying();
        sm_a->set_command(SM_A::cmd_upload_and_compare);
    }, Qt::DirectConnection);
    connect(B6, &QState::entered, this, [this] { emit sig_FwMatches(); }, Qt::DirectConnection);
    connect(B7, &QState::entered, this, [this] {
        emit sig_UpgradePossible();
        emit sig_FwDiffers();
    }, Qt::DirectConnection);
    connect(B8, &QState::entered, this, [this] { emit sig_InvalidProduct(); }, Qt::DirectConnection);
}

void SM_B::enable_debug_output()
{
    qInfo() << "SM_B: Add connections to show emitted signals";
    const auto show = [this](auto signal, const char* name) {
        connect(this, signal, this, [name] { qDebug() << QString("SM_B: /sig_%1").arg(name); },
                Qt::DirectConnection);
    };
    show(&SM_B::sig_UpgradeImpossible, "UpgradeImpossible");
    show(&SM_B::sig_UpgradePossible, "UpgradePossible");
    show(&SM_B::sig_DifferingRevision, "DifferingRevision");
    show(&SM_B::sig_DoDownload, "DoDownload");
    show(&SM_B::sig_UploadingVerifying, "UploadingVerifying");
    show(&SM_B::sig_FwMatches, "FwMatches");
    show(&SM_B::sig_FwDiffers, "FwDiffers");
    show(&SM_B::sig_DeviceConnected, "DeviceConnected");
    show(&SM_B::sig_InvalidProduct, "InvalidProduct");
    for (QState* state : {B1, B2, B3, B4, B6, B7, B8, B9, B10})
        connect(state, &QState::entered, this, [state] { qDebug() << QString("SM_B: entered %1").arg(state->objectName()); },
                Qt::DirectConnection);
}
