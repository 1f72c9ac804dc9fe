// Link options change `zl->mode`; segment options change `working_seg->state`.
// Each is one read-modify-write with a clear mask and a set mask, so every bit
// outside both, the driver's included, keeps its value.
#pragma once

void link_opt_add();
void link_opt_delete();
void link_opt_dstroute();
void link_opt_dymxor();
void link_opt_fallover();
void link_opt_roundrobin();
void link_opt_spillover();

void seg_opt_add();
void seg_opt_delete();
void seg_opt_sameaddr();
void seg_opt_diffaddr();
void seg_opt_standby();
void seg_opt_trunk();
void seg_opt_auto();
void seg_opt_100bt();
void seg_opt_10bt();
void seg_opt_halfdux();
void seg_opt_fulldux();
