#!/usr/bin/python
# Configures Zelnar link aggregation on the managed machine: plans with zlplan
# in check mode, applies all or nothing with zlapply, and leaves an apply
# pending for a later task to confirm. Python's standard library only.

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
---
module: configure
short_description: Configure Zelnar link aggregation, all or nothing
version_added: "0.1.0"
description:
  - Plans the configuration against the live driver with C(zlplan --json --exit-code),
    which only reads the driver, and reports C(changed) exactly when some link would change.
  - In check mode nothing else is done, so nothing is sent to the driver.
  - Otherwise applies the configuration with C(zlapply), which checks the whole file first,
    keeps a restore point, and rolls every touched link back on the first refused request
    or on a link that does not read back as planned.
  - With C(confirm_timeout), the apply is left pending; a later task with
    C(state=confirmed) keeps it, and without one it is rolled back when the time runs out.
    Confirm only after the play has reconnected (M(ansible.builtin.wait_for_connection)),
    so that a change that cuts the control connection heals itself.
  - A file that would change nothing is not applied, and the task reports C(changed=false).
options:
  src:
    description:
      - A configuration file on the managed machine, in the language of zlconf.conf(5).
      - Exactly one of C(src) and C(content) is given with C(state=applied).
    type: path
  content:
    description:
      - The configuration text itself.
    type: str
  strict:
    description:
      - Fail on any warning of the plan, and refuse to apply when the restore point cannot
        bring back every link exactly (the driver holds something no statement can set).
    type: bool
    default: false
  confirm_timeout:
    description:
      - Seconds for which the apply stays pending. The task returns once the configuration
        is applied; a later task with C(state=confirmed) keeps it, else it is rolled back.
    type: int
  state:
    description:
      - C(applied) plans and applies the configuration.
      - C(confirmed) keeps the apply that an earlier task left pending.
    type: str
    choices: [applied, confirmed]
    default: applied
  restore_point:
    description:
      - Where zlapply keeps its restore point and lock; its default when not given.
    type: path
notes:
  - Supports check mode and diff mode. The diff shows, per link, the state before and after
    as the state report prints it, and the change line.
  - Needs zlplan and zlapply (package zlconf) on the managed machine.
requirements:
  - zlconf on the managed machine
author:
  - zlconf maintainers
"""

EXAMPLES = r"""
- name: See what the configuration would change (nothing is sent)
  zlconf.links.configure:
    src: /etc/zlumi.conf
  check_mode: true

- name: Apply it, pending until confirmed
  zlconf.links.configure:
    src: /etc/zlumi.conf
    confirm_timeout: 120

- name: Reconnect, which fails if the change cut the control connection
  ansible.builtin.wait_for_connection:
    timeout: 60

- name: Keep the change
  zlconf.links.configure:
    state: confirmed
"""

RETURN = r"""
plan:
  description: What the configuration changes, per link block, as zlplan planned it.
  returned: with state=applied, when the file could be planned
  type: dict
  contains:
    links:
      description: One entry a link block, with C(link), C(changes) and C(requests).
      type: list
      elements: dict
    warnings:
      description: The plan's warnings, each with its line.
      type: list
      elements: str
    notes:
      description: What the plan notes without warning, such as an entry the driver already holds.
      type: list
      elements: str
pending:
  description: The apply waits for a task with state=confirmed.
  returned: always
  type: bool
messages:
  description: What zlapply printed.
  returned: when zlapply ran
  type: str
"""

import json
import os
import tempfile
import time

from ansible.module_utils.basic import AnsibleModule

PLAN_CHANGES = 3  # zlplan --exit-code: some link would change
ROLLED_BACK = 4
ROLLBACK_INCOMPLETE = 5
# What zlapply prints once it has applied and waits, without a terminal.
WAITING = "zlapply --confirm` within"


def located(module, plan_json, stderr):
    """zlplan's FILE:LINE:COLUMN diagnostic, or what it printed."""
    lines = [line for line in stderr.splitlines() if ": " in line]
    return lines[0] if lines else (plan_json or {}).get("stop", {}).get("message", stderr)


def link_report(link):
    """A link object as zlconf's state report prints it."""
    out = "Zelnar %s   mode %s\n" % (link["name"], link["mode"]["hex"])
    for seg in link["segments"]:
        out += "  Segment %s speed %d duplex %d state %s\n" % (
            seg["name"], seg["speed"], seg["duplex"], seg["state"]["hex"])
    if link["table_lookup"]:
        out += "Table Lookup addresses\n"
        for entry in link["table_lookup"]:
            out += "  %s\tLink %s\n" % (entry["eaddr"], entry["interface"])
    return out


def plan_summary(plan):
    links = [{"link": b["link"], "changes": b.get("changes", []),
              "requests": b.get("requests", [])} for b in plan.get("links", [])]
    def placed(items):
        return ["line %s: %s" % (w.get("at", {}).get("line"), w.get("text")) for w in items]
    return {"links": links, "warnings": placed(plan.get("warnings", [])),
            "notes": placed(plan.get("notes", []))}


def plan_diff(plan):
    diffs = []
    for block in plan.get("links", []):
        if not block.get("committed") or not block.get("changes"):
            continue
        after = block.get("after")
        diffs.append({
            "before_header": "%s (as read)" % block["link"],
            "after_header": "%s (afterwards)" % block["link"],
            "before": link_report(block["read"]) if block.get("found") else "",
            "after": (link_report(after) if after else "")
            + "changes: %s\n" % "; ".join(block["changes"]),
        })
    return diffs


def run_plan(module, zlplan, config):
    command = [zlplan, "--json", "--exit-code"]
    if module._diff:
        command.append("--full")  # the state after each block, for the diff
    if module.params["strict"]:
        command.append("--strict")
    command += ["--", config["path"]]
    rc, out, err = module.run_command(command, data=config.get("data"), binary_data=True)
    try:
        plan = json.loads(out)
    except ValueError:
        plan = None
    if rc not in (0, PLAN_CHANGES) or plan is None:
        module.fail_json(msg=located(module, plan, err), rc=rc, stderr=err,
                         plan=plan_summary(plan) if plan else None)
    return rc == PLAN_CHANGES, plan


def apply_command(module, zlapply, path):
    command = [zlapply]
    if module.params["strict"]:
        command.append("--strict")
    if module.params["restore_point"]:
        command += ["--restore-point", module.params["restore_point"]]
    if module.params["confirm_timeout"] is not None:
        command += ["--confirm", str(module.params["confirm_timeout"])]
    return command + ["--", path]


def fail_apply(module, rc, messages, summary):
    if rc == ROLLED_BACK:
        module.fail_json(msg="zlapply rolled back: %s" % messages.strip().splitlines()[-1],
                         rc=rc, messages=messages, plan=summary, rolled_back=True)
    if rc == ROLLBACK_INCOMPLETE:
        point = module.params["restore_point"] or "/run/zlconf/restore.conf"
        module.fail_json(msg="zlapply could not roll back every link; restore by hand: "
                         "zlconf %s" % point, rc=rc, messages=messages, plan=summary,
                         restore_point=point)
    module.fail_json(msg=messages.strip() or "zlapply failed", rc=rc, messages=messages,
                     plan=summary)


def apply_pending(module, command, stdin_path):
    """Starts zlapply in a session of its own, so that it outlives this task and
    keeps waiting for the confirming one. Returns (None, messages) once it
    waits, or (status, messages) when it ended first."""
    log = tempfile.NamedTemporaryFile(prefix="zlapply-", suffix=".log", delete=False)
    pid = os.fork()
    if pid == 0:
        try:
            os.setsid()
            stdin = os.open(stdin_path or os.devnull, os.O_RDONLY)
            os.dup2(stdin, 0)
            os.dup2(log.fileno(), 1)
            os.dup2(log.fileno(), 2)
            os.execv(command[0], command)
        finally:
            os._exit(127)
    try:
        while True:
            ended, status = os.waitpid(pid, os.WNOHANG)
            with open(log.name) as messages:
                text = messages.read()
            if ended:
                return os.waitstatus_to_exitcode(status), text
            if WAITING in text:
                return None, text
            time.sleep(0.05)
    finally:
        os.unlink(log.name)


def main():
    module = AnsibleModule(
        argument_spec=dict(
            src=dict(type="path"),
            content=dict(type="str"),
            strict=dict(type="bool", default=False),
            confirm_timeout=dict(type="int"),
            state=dict(type="str", choices=["applied", "confirmed"], default="applied"),
            restore_point=dict(type="path"),
        ),
        mutually_exclusive=[["src", "content"]],
        required_if=[["state", "applied", ["src", "content"], True]],
        supports_check_mode=True,
    )
    def zlapply():
        return module.get_bin_path("zlapply", required=True, opt_dirs=["/usr/sbin", "/sbin"])

    if module.params["state"] == "confirmed":
        if module.check_mode:
            module.exit_json(changed=True, pending=False)
        command = [zlapply(), "--confirm"]
        if module.params["restore_point"]:
            command += ["--restore-point", module.params["restore_point"]]
        rc, out, err = module.run_command(command)
        if rc != 0:
            module.fail_json(msg=(err or out).strip(), rc=rc)
        module.exit_json(changed=True, pending=False, messages=err)

    zlplan = module.get_bin_path("zlplan", required=True, opt_dirs=["/usr/bin"])
    content = module.params["content"]
    config = {"path": module.params["src"]} if content is None else {
        "path": "-", "data": content.encode()}
    would_change, plan = run_plan(module, zlplan, config)
    summary = plan_summary(plan)
    result = dict(changed=would_change, pending=False, plan=summary)
    if module._diff:
        result["diff"] = plan_diff(plan)
    if module.check_mode or not would_change:
        module.exit_json(**result)

    stdin_path = None
    if content is not None:
        # zlapply reads the text once, from standard input.
        handle, stdin_path = tempfile.mkstemp(prefix="zlumi-", suffix=".conf")
        with os.fdopen(handle, "w") as config_file:
            config_file.write(content)
    command = apply_command(module, zlapply(), config["path"])
    try:
        if module.params["confirm_timeout"] is not None:
            rc, messages = apply_pending(module, command, stdin_path)
            if rc is not None:
                fail_apply(module, rc, messages, summary)
            result["pending"] = True
            module.exit_json(messages=messages, **result)
        if stdin_path:
            with open(stdin_path, "rb") as data:
                rc, out, err = module.run_command(command, data=data.read(), binary_data=True)
        else:
            rc, out, err = module.run_command(command)
    finally:
        if stdin_path:
            os.unlink(stdin_path)
    if rc != 0:
        fail_apply(module, rc, err + out, summary)
    module.exit_json(messages=err, **result)


if __name__ == "__main__":
    main()
